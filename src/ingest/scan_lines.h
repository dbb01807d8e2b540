#pragma once
// The lines PARSE reads, wherever they are kept: in the line store (Memo1), each with the
// ";" LOAD put after it, or in a mapped log file, where the line's end stands for that ";".
#include <cstddef>
#include <string_view>

namespace gravmark {

// A line as PARSE reads it: at most its first 4096 characters, and whether a ";" that is
// not among them closes it (it is, when the line is shorter than that).
struct ScanLine {
    std::string_view text;
    bool closedAtEnd = false;
};

class ScanLines {
public:
    virtual ~ScanLines() = default;
    virtual size_t lineCount() const = 0;
    virtual ScanLine line(size_t index) const = 0;
    // The reader is done with the lines before `index`: lines kept where they can be read
    // again later (a mapped file) may give their memory back. They stay readable.
    virtual void doneBefore(size_t /*index*/) const {}
};

}  // namespace gravmark
