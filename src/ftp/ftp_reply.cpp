#include "ftp/ftp_reply.h"

#include <charconv>
#include <utility>

namespace gravmark {
namespace {

std::string_view trimmed(std::string_view line) {
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = line.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

std::string_view textOf(std::string_view line) { return line.size() > 4 ? line.substr(4) : ""; }

int codeOf(std::string_view line) {
    int code = 0;
    const std::string_view digits = line.substr(0, 3);
    if (digits.size() < 3 || digits.find_first_not_of("0123456789") != std::string_view::npos) return 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), code);
    return code;
}

}  // namespace

std::optional<FtpReply> FtpReplyReader::addLine(std::string_view received) {
    const std::string_view line = trimmed(received);
    if (line.empty()) return {};
    if (open_) {
        // A server that never ends its reply must not fill memory: the rest is dropped.
        if (open_->text.size() < kMaxReplyText) {
            open_->text += '\n';
            open_->text += textOf(line).substr(0, kMaxReplyText - open_->text.size());
        }
        if (line.size() >= 4 && !(line.starts_with(openCode_) && line[3] == ' ')) return {};
        return std::exchange(open_, std::nullopt);
    }
    FtpReply reply{codeOf(line), std::string(textOf(line))};
    if (line.size() >= 4 && line[3] == '-') {
        open_ = std::move(reply);
        openCode_ = std::string(line.substr(0, 3));
        return {};
    }
    return reply;
}

std::optional<int64_t> announcedSize(const FtpReply& reply) {
    if (reply.code != 213) return std::nullopt;
    std::string_view number = reply.text;
    if (const auto blank = number.find(' '); blank != std::string_view::npos)
        number = number.substr(blank + 1);
    if (number.starts_with('+')) number.remove_prefix(1);
    if (number.starts_with('-')) return std::nullopt;  // a negative size is no size, "-0" included
    int64_t size = -1;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), size);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) return std::nullopt;
    return size;
}

}  // namespace gravmark
