#pragma once
// Filter texts: field = 'literal' [AND field = 'literal' ...].
//
// A single quote inside a literal is written twice; a literal keeps at most its first
// 512 characters; a literal of two or more characters ending in "*" tests for a prefix
// (the "*" dropped). An empty text filters nothing.
#include <string>
#include <string_view>
#include <vector>

#include "table/record_table.h"

namespace gravmark {

std::vector<FilterTerm> parseFilter(std::string_view text);

// A filter text that parses back to the terms (exact literals that would read as a
// prefix test cannot be written; they read back as one).
std::string filterText(const std::vector<FilterTerm>& terms);

}  // namespace gravmark
