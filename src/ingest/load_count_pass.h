#pragma once
// The count pass of LOAD: how many lines the log has when taken as one text, which
// only sets the progress total. CR LF, any other CR and any other LF each make one
// break; a break at the very end starts no further line; the text ends at its first
// NUL; an empty text has 0 lines. Fed in blocks, so the file is never held whole.
#include <cstdint>
#include <string_view>

namespace gravmark {

class LoadCountPass {
public:
    // Counts the next block of the text; false once the NUL that ends the text is seen.
    bool feed(std::string_view block);
    int64_t lines() const { return breaks_ + (last_ != '\0' && last_ != '\r' && last_ != '\n' ? 1 : 0); }

private:
    int64_t breaks_ = 0;
    char last_ = '\0';  // the last byte of the text so far; NUL while it is empty
};

}  // namespace gravmark
