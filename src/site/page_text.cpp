#include "site/page_text.h"

#include "common/text_box_lines.h"
#include "report/read_template.h"

namespace gravmark {

namespace {

std::string templateText(const std::string& path) {
    TextBoxLines box;
    readTemplate(path, box);
    return box.text();
}

bool endsWithBreak(const std::string& text) { return text.size() >= 2 && text.ends_with("\r\n"); }

}  // namespace

PageFrame readPageFrame(const std::string& programFolder) {
    return {templateText(programFolder + "head.txt"), templateText(programFolder + "foot.txt")};
}

PageText::PageText(const PageFrame& frame) : frame_(frame), text_(frame.head) {}

void PageText::addLine(std::string_view line) {
    if (text_.empty() || endsWithBreak(text_)) {
        text_.append(line).append("\r\n");
    } else {
        text_.append("\r\n").append(line);
    }
}

std::string PageText::finish() {
    size_t from = 0;
    const std::string& foot = frame_.foot;
    while (from < foot.size()) {
        const size_t end = foot.find("\r\n", from);
        addLine(
            std::string_view(foot).substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos) break;
        from = end + 2;
    }
    return std::move(text_);
}

}  // namespace gravmark
