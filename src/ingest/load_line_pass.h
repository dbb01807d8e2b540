#pragma once
// The line pass of LOAD, done in place: the log's bytes arrive in a buffer and every
// complete line is rewritten, further to the front of the same buffer, as its text
// followed by ";". A line ends at LF or CR LF; a lone CR is dropped; Ctrl-Z at the start
// of a line ends the reading, inside a line it ends the line's text and the rest of that
// line is skipped; the end of the file ends a last line without a break. NUL bytes are
// kept. The output never overtakes the input, except by the ";" of a last line without
// a break, so the buffer needs one byte beyond the file's size.
#include <cstddef>

#include "common/progress.h"
#include "common/text_box_lines.h"

namespace gravmark {

class LoadLinePass {
public:
    // PartsComplete becomes n + 1 after the n-th line.
    LoadLinePass(char* buffer, TextBoxLines::Rows& lines, Progress& progress)
        : buffer_(buffer), lines_(lines), progress_(progress) {}

    // The bytes buffer[0, available) have arrived; `atEnd` when no more will come. Cuts
    // off every complete line; false once a Ctrl-Z at the start of a line ended reading.
    bool advance(size_t available, bool atEnd);

private:
    char* buffer_;
    TextBoxLines::Rows& lines_;
    Progress& progress_;
    size_t read_ = 0;      // start of the first line not yet cut off
    size_t write_ = 0;     // end of the lines stored so far
    size_t searched_ = 0;  // bytes before this hold no LF of the current line
};

}  // namespace gravmark
