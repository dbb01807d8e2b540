#pragma once
// The lines of a text box as plain strings, to compare with the lines a test expects.
#include <string>
#include <vector>

#include "common/text_box_lines.h"

namespace gravmark::test {

// Every line as the program reads it: line(i), at most its first 4096 characters.
inline std::vector<std::string> linesOf(const TextBoxLines& box) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < box.lineCount(); ++i) lines.emplace_back(box.line(i));
    return lines;
}

// Every line whole: fullLine(i).
inline std::vector<std::string> fullLinesOf(const TextBoxLines& box) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < box.lineCount(); ++i) lines.emplace_back(box.fullLine(i));
    return lines;
}

}  // namespace gravmark::test
