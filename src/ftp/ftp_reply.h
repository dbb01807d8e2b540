#pragma once
// FTP replies as the client reads them. Lines are taken without leading and trailing
// blanks and empty lines are skipped. The code is the first three characters of the
// first line (0 when they are not digits, which no step accepts). A first line whose
// fourth character is "-" opens a multi-line reply, ended by the first later line that
// begins with the same three digits and a blank, or by a line shorter than four
// characters. The text is every line from its fifth character on, the lines of a
// multi-line reply joined by line feeds; it is what the user sees when a reply is refused.
// The text keeps at most kMaxReplyText characters.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gravmark {

struct FtpReply {
    int code = 0;
    std::string text;
};

class FtpReplyReader {
public:
    static constexpr size_t kMaxReplyText = 64 * 1024;

    // Takes one received line (with or without its line break); returns the reply once
    // its last line has come.
    std::optional<FtpReply> addLine(std::string_view line);

private:
    std::optional<FtpReply> open_;  // a multi-line reply waiting for its last line
    std::string openCode_;
};

// The size a SIZE reply announces: for code 213 the text after its first blank (the whole
// text when it has none) read as a whole number of bytes; nothing for any other code, any
// other text or a negative number.
std::optional<int64_t> announcedSize(const FtpReply& reply);

}  // namespace gravmark
