#pragma once
// Links from the statistics table to the player pages: the content of a row's name cell
// (the second cell) wrapped in <a href="ADDRESS"> ... </a>; nothing else of the row changes.
#include <string>
#include <string_view>

namespace gravmark {

// A row whose name cell is not closed (a row cut to its field's size) gets the closing
// tag at its end.
std::string linkNameCell(std::string_view row, std::string_view address);

}  // namespace gravmark
