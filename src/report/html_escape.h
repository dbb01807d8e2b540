#pragma once
// Player names are the players' own text: before they reach the page, the characters that
// HTML reads as markup become entities, so a name cannot open a tag or a script.
#include <string>
#include <string_view>

namespace gravmark {

// "&" -> "&amp;", "<" -> "&lt;", ">" -> "&gt;", '"' -> "&quot;"; everything else unchanged.
std::string htmlEscape(std::string_view text);

}  // namespace gravmark
