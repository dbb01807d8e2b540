#pragma once
// The line model of the multi-line text boxes (Memo1, Memo2 of the main window).
//
// A box holds one 8-bit text whose lines are separated by CR LF. The model keeps the
// lines and whether the text ends with a line break; the text is their join.
//  - setText: the text becomes the given bytes cut at the first NUL, with every line
//    break (CR LF, lone CR, lone LF) made CR LF.
//  - addLine(S): when the text is empty or ends with CR LF, S + CR LF is appended;
//    otherwise CR LF + S (the text then still ends without a break).
//  - insertFirstLine(S): S + CR LF is put in front of the text.
//  - the lines are the text split at CR LF, without the empty remainder after a final
//    CR LF; an empty box has 0 lines; line(i) gives at most its first 4096 characters.
// Bytes are never converted; a NUL inside an added line is kept.
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace gravmark {

class TextBoxLines {
public:
    static constexpr size_t kMaxLineRead = 4096;

    void setText(std::string_view bytes);
    void clear();

    bool empty() const { return lines_.empty(); }
    size_t lineCount() const { return lines_.size(); }
    bool endsWithLineBreak() const { return terminated_; }

    // A line as the program reads it: at most its first 4096 characters.
    std::string_view line(size_t index) const;
    // The whole line, for display and editing.
    std::string_view fullLine(size_t index) const;

    void addLine(std::string_view line);
    void insertFirstLine(std::string_view line);

    // Editing, as the text box widget does it; a line holds no CR or LF.
    void replaceLine(size_t index, std::string_view line);
    void insertLine(size_t index, std::string_view line);
    void removeLine(size_t index);

    // The whole text, lines joined by CR LF, exactly as the box holds it.
    std::string text() const;
    void writeText(std::ostream& out) const;

    // Called after every change (a widget repaints or marks itself stale).
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void changed() const {
        if (listener_) listener_();
    }

    std::vector<std::string> lines_;
    bool terminated_ = false;
    std::function<void()> listener_;
};

}  // namespace gravmark
