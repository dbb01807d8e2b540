#include "common/text_box_lines.h"

#include <cstring>

namespace gravmark {

void TextBoxLines::setText(std::string_view bytes) {
    const size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    lines_.clear();
    terminated_ = false;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t brk = bytes.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) {
            lines_.emplace_back(bytes.substr(start));
            terminated_ = false;
            break;
        }
        lines_.emplace_back(bytes.substr(start, brk - start));
        start = brk + 1;
        if (bytes[brk] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
        terminated_ = true;
    }
    changed();
}

void TextBoxLines::clear() {
    lines_.clear();
    terminated_ = false;
    changed();
}

std::string_view TextBoxLines::line(size_t index) const {
    std::string_view whole = lines_.at(index);
    return whole.substr(0, kMaxLineRead);
}

std::string_view TextBoxLines::fullLine(size_t index) const { return lines_.at(index); }

void TextBoxLines::addLine(std::string_view line) {
    const bool appendBreakAfter = lines_.empty() || terminated_;
    lines_.emplace_back(line);
    terminated_ = appendBreakAfter;
    changed();
}

void TextBoxLines::insertFirstLine(std::string_view line) {
    if (lines_.empty()) terminated_ = true;
    lines_.emplace(lines_.begin(), line);
    changed();
}

void TextBoxLines::replaceLine(size_t index, std::string_view line) {
    lines_.at(index) = std::string(line);
    changed();
}

void TextBoxLines::insertLine(size_t index, std::string_view line) {
    if (lines_.empty()) terminated_ = true;
    lines_.emplace(lines_.begin() + static_cast<std::ptrdiff_t>(index), line);
    changed();
}

void TextBoxLines::removeLine(size_t index) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    if (lines_.empty()) terminated_ = false;
    changed();
}

std::string TextBoxLines::text() const {
    std::string out;
    size_t size = 0;
    for (const auto& l : lines_) size += l.size() + 2;
    out.reserve(size);
    for (size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        if (i + 1 < lines_.size() || terminated_) out += "\r\n";
    }
    return out;
}

void TextBoxLines::writeText(std::ostream& out) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        out.write(lines_[i].data(), static_cast<std::streamsize>(lines_[i].size()));
        if (i + 1 < lines_.size() || terminated_) out.write("\r\n", 2);
    }
}

}  // namespace gravmark
