#pragma once
// Pieces of HTML the extra pages share. Names are the players' own bytes: they are
// escaped and their colour codes become font tags as on the main page, and the tags a
// name opens are closed after it, so a colour never runs on into the rest of the page.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace gravmark {

std::string shownName(std::string_view name);
// A weapon, location or map as the log stored it, escaped; an empty value reads "(none)".
std::string shownValue(std::string_view value);
// `part` of `whole` in percent with one decimal, in the locale's format ("12.5%").
std::string shareText(int32_t part, int32_t whole);
// A file name as one segment of a relative address: bytes other than letters, digits and
// "-._~" are percent-encoded.
std::string addressOf(std::string_view fileName);
// "<a href=ADDRESS>TEXT</a>" with the address quoted.
std::string link(std::string_view address, std::string_view text);

// Tables look like the main page's statistics table.
inline constexpr std::string_view kTableStart = "<TABLE align=center border=1>";
std::string cell(std::string_view html);
std::string cell(int32_t number);
std::string headerRow(std::initializer_list<const char*> captions);
// A centred bold caption above a table.
std::string heading(std::string_view caption);

}  // namespace gravmark
