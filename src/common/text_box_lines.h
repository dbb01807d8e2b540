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
// Bytes are never converted; a NUL inside an added or edited line is kept, so a log
// line holding a NUL survives LOAD whole.
//
// Rows are what a text box shows: the text split at every CR LF, the empty remainder
// after a final break included, so there is always at least one row (an empty box
// shows one empty row). The rows are the stored form; the lines are derived from them,
// which keeps the two views consistent under any edit.
//
// Storage is built for logs of millions of lines: row texts live in large byte blocks
// and each row is a view into them. Replacing a row writes its new text to a block and
// repoints the row; the old bytes stay until the box is emptied or set anew.
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_arena.h"
#include "common/huge_pages.h"

namespace gravmark {

class TextBoxLines {
public:
    static constexpr size_t kMaxLineRead = 4096;

    // A place in the text: a row and a byte column within it (0 to the row's length).
    struct Position {
        size_t row = 0;
        size_t column = 0;
        auto operator<=>(const Position&) const = default;
    };

    using Rows = std::vector<std::string_view, LargeAllocator<std::string_view>>;

    TextBoxLines();

    void setText(std::string_view bytes);
    void clear();
    // The lines become `lines`, each followed by a line break, as clear() and one
    // addLine() per line would make them, but with a single change notice. The views
    // point into `storage`, which the model takes over; give `lines` room for one more
    // entry so that taking it over copies nothing.
    void assignLines(LargeBytes storage, Rows lines);
    // The text becomes `other`'s, with a single change notice and nothing copied; `other`
    // is left empty, and this box's old text is freed.
    void takeText(TextBoxLines& other);

    bool empty() const { return rows_.size() == 1 && rows_.front().empty(); }
    size_t lineCount() const { return rows_.size() - (rows_.back().empty() ? 1 : 0); }
    bool endsWithLineBreak() const { return rows_.size() > 1 && rows_.back().empty(); }

    // A line as the program reads it: at most its first 4096 characters.
    std::string_view line(size_t index) const;
    // The whole line, for display and editing.
    std::string_view fullLine(size_t index) const;

    void addLine(std::string_view line);
    void insertFirstLine(std::string_view line);

    // Editing by line; a line holds no CR or LF. insertLine at lineCount() adds a line.
    void replaceLine(size_t index, std::string_view line);
    void insertLine(size_t index, std::string_view line);
    void removeLine(size_t index);

    size_t rowCount() const { return rows_.size(); }
    std::string_view row(size_t index) const { return rows_.at(index); }
    // The index of a row with the most bytes (the widget measures its width from it).
    size_t longestRow() const;

    // Editing as a text box does it: the text from `from` to `to` (from <= to) becomes
    // `bytes`, in which CR LF, a lone CR and a lone LF each make a line break. Returns
    // the position just after the new text.
    Position replaceRange(Position from, Position to, std::string_view bytes);
    // The text from `from` to `to`, rows joined by CR LF.
    std::string textBetween(Position from, Position to) const;
    Position endPosition() const { return {rows_.size() - 1, rows_.back().size()}; }

    // The whole text, lines joined by CR LF, exactly as the box holds it.
    std::string text() const;
    void writeText(std::ostream& out) const;

    // Called after every change (a widget repaints or marks itself stale).
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void changed() const {
        if (listener_) listener_();
    }
    void noteRowWritten(size_t index);
    void resetStorage();

    Rows rows_;
    ByteArena texts_;  // the rows' bytes; a replaced row's old bytes stay until cleared
    mutable size_t longest_ = 0;
    mutable bool longestKnown_ = true;
    std::function<void()> listener_;
};

}  // namespace gravmark
