#include "ftp/passive_reply.h"

#include <array>
#include <charconv>

namespace gravmark {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number of at most `digits` digits at the start of text, taken off it.
std::optional<unsigned> takeNumber(std::string_view& text, size_t digits) {
    size_t length = 0;
    while (length < text.size() && isDigit(text[length])) ++length;
    if (length == 0 || length > digits) return std::nullopt;
    unsigned value = 0;
    std::from_chars(text.data(), text.data() + length, value);
    text.remove_prefix(length);
    return value;
}

std::optional<uint16_t> portNumber(unsigned value) {
    if (value < 1 || value > 65535) return std::nullopt;
    return static_cast<uint16_t>(value);
}

}  // namespace

std::optional<uint16_t> epsvPort(std::string_view text) {
    const size_t open = text.find('(');
    if (open == std::string_view::npos || text.size() - open < 6) return std::nullopt;
    text.remove_prefix(open + 1);
    const char delimiter = text[0];
    if (delimiter < 33 || delimiter > 126 || isDigit(delimiter) || text[1] != delimiter ||
        text[2] != delimiter)
        return std::nullopt;
    text.remove_prefix(3);
    const auto port = takeNumber(text, 5);
    if (!port || text.size() < 2 || text[0] != delimiter || text[1] != ')') return std::nullopt;
    return portNumber(*port);
}

std::optional<uint16_t> pasvPort(std::string_view text) {
    for (size_t start = 0; start < text.size(); ++start) {
        if (!isDigit(text[start]) || (start > 0 && isDigit(text[start - 1]))) continue;
        std::string_view rest = text.substr(start);
        std::array<unsigned, 6> numbers{};
        size_t count = 0;
        while (count < numbers.size()) {
            const auto number = takeNumber(rest, 3);
            if (!number || *number > 255) break;
            numbers[count++] = *number;
            if (count < numbers.size()) {
                if (rest.empty() || rest[0] != ',') break;
                rest.remove_prefix(1);
            }
        }
        if (count == numbers.size()) return portNumber(numbers[4] * 256 + numbers[5]);
    }
    return std::nullopt;
}

}  // namespace gravmark
