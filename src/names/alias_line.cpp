#include "names/alias_line.h"

namespace gravmark {

namespace {

std::string escaped(std::string_view name) {
    std::string text;
    text.reserve(name.size());
    for (char c : name) {
        if (c == '\t') {
            text += "\\t";
        } else if (c == '\\') {
            text += "\\\\";
        } else {
            text += c;
        }
    }
    return text;
}

ReadAliasLine unreadable(std::string problem) { return {std::nullopt, std::move(problem)}; }

}  // namespace

ReadAliasLine readAliasLine(std::string_view line) {
    std::string names[2];
    int field = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            if (++field > 1) return unreadable("more than one TAB");
        } else if (c == '\\') {
            if (++i == line.size()) return unreadable("a backslash at the end of the line");
            if (line[i] == 't') {
                names[field] += '\t';
            } else if (line[i] == '\\' || line[i] == '#') {
                names[field] += line[i];
            } else {
                return unreadable(std::string("unknown escape \\") + line[i] + " (a backslash is written \\\\)");
            }
        } else if (c == '\0') {
            return unreadable("a NUL byte");
        } else {
            names[field] += c;
        }
    }
    if (field == 0) return unreadable("no TAB between the alias and the kept name");
    if (names[0].empty()) return unreadable("the alias is empty");
    if (names[1].empty()) return unreadable("the kept name is empty");
    return {AliasRule{std::move(names[0]), std::move(names[1])}, {}};
}

std::string aliasLineOf(const AliasRule& rule) {
    const std::string alias = escaped(rule.alias);
    return (alias.starts_with('#') ? "\\" : "") + alias + '\t' + escaped(rule.kept);
}

}  // namespace gravmark
