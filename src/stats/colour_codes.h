#pragma once
// Colour codes in player names: "^" and a digit select a colour and become an opening font
// tag ("^1" -> "<font color=red>"; no closing tag is added).
#include <cstddef>
#include <string>

namespace gravmark {

// Replaces the codes digit by digit, "^0" first, as the player table stores them: after
// each digit the text is cut to `width`, the size of the field it is stored in.
std::string replaceColourCodes(std::string text, std::size_t width);

}  // namespace gravmark
