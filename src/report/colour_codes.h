#pragma once
// Colour codes in player names: "^" and a digit select a colour and become an opening font
// tag ("^1" -> "<font color=red>"; no closing tag is added).
#include <string>

namespace gravmark {

// Replaces the codes digit by digit, "^0" first, each scan left to right without overlaps.
std::string replaceColourCodes(std::string text);

}  // namespace gravmark
