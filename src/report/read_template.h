#pragma once
// The optional page templates "head.txt" and "foot.txt".
#include <string>

namespace gravmark {

class TextBoxLines;

// Replaces the box's text by the whole file (line breaks normalised, cut at the first
// NUL). A missing file leaves the box as it is. A file that exists but cannot be read
// throws gravmark::Error("Cannot open file \"<path>\". <system reason>").
void readTemplate(const std::string& path, TextBoxLines& box);

}  // namespace gravmark
