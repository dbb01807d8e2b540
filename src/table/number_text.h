#pragma once
// Numbers and their texts. A number becomes text (given to a string field, tested by a
// prefix filter) as decimal integers and floats as the shortest text that reads back to
// the same value; the work file spells them alike. A text reads as a number only when
// the whole of it spells one that the type can hold.
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace gravmark {

template <class T>
std::string numberText(T value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// Nothing for an empty text, a text with anything after the number, or a number out of range.
template <class T>
std::optional<T> parseNumber(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace gravmark
