#pragma once
// The text of one extra page, framed like the main page: the head template, the page's
// own lines, then the foot template's lines, joined as the main page's text box joins
// them (CR LF breaks; a line added after a text without a final break starts a new line).
#include <string>
#include <string_view>

namespace gravmark {

class TextBoxLines;

// The templates, read once per run and shared by every page.
struct PageFrame {
    std::string head;  // the whole text of "head.txt", or empty
    std::string foot;  // the whole text of "foot.txt", or empty
};

// Reads "head.txt" and "foot.txt" from the folder (ending in a separator) as the HTML step
// reads them; a missing file gives an empty text. Throws gravmark::Error when one exists
// but cannot be read.
PageFrame readPageFrame(const std::string& programFolder);

class PageText {
public:
    explicit PageText(const PageFrame& frame);
    void addLine(std::string_view line);
    // The text so far, without the foot template.
    const std::string& text() const { return text_; }
    // Adds the foot template's lines and gives the finished text.
    std::string finish();

private:
    const PageFrame& frame_;
    std::string text_;
};

}  // namespace gravmark
