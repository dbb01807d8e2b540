#pragma once
// Editors on other systems often begin a UTF-8 text file with a byte-order mark. The files
// the program reads line by line take it as part of no line (else the first line would
// be misread), and keep it when they are rewritten.
#include <string_view>

namespace gravmark {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace gravmark
