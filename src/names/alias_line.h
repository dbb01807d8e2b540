#pragma once
// One line of the alias list "aliases.txt": the alias, a TAB, the kept name. Inside a name
// a TAB is written "\t" and a backslash "\\"; an alias that starts with "#" is written
// "\#..." so that its line is not a comment ("\#" reads as "#" anywhere). Names are the
// log's bytes, unconverted.
#include <optional>
#include <string>
#include <string_view>

namespace gravmark {

struct AliasRule {
    std::string alias;
    std::string kept;
};

// A line that is a rule, or why it is not one: `rule` is set when the line reads as one.
struct ReadAliasLine {
    std::optional<AliasRule> rule;
    std::string problem;  // why the line is no rule; empty for a rule
};

// The line as a rule, its line end already taken off. The caller skips comments.
ReadAliasLine readAliasLine(std::string_view line);

// The rule as a line, without its line end.
std::string aliasLineOf(const AliasRule& rule);

}  // namespace gravmark
