#include "report/colour_codes.h"

#include <array>

namespace gravmark {

namespace {

constexpr std::array<const char*, 10> kColours{"gray",      "red",  "green", "yellow",   "blue",
                                               "lightblue", "pink", "black", "darkblue", "darkred"};

std::string replaceAll(const std::string& text, const std::string& code, const std::string& replacement) {
    std::string out;
    size_t from = 0;
    for (size_t at = text.find(code); at != std::string::npos; at = text.find(code, from)) {
        out.append(text, from, at - from).append(replacement);
        from = at + code.size();
    }
    return out.append(text, from);
}

}  // namespace

std::string replaceColourCodes(std::string text) {
    for (size_t digit = 0; digit < kColours.size(); ++digit) {
        const std::string code{'^', static_cast<char>('0' + digit)};
        text = replaceAll(text, code, std::string("<font color=") + kColours[digit] + ">");
    }
    return text;
}

}  // namespace gravmark
