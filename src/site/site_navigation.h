#pragma once
// The line of links at the top of every extra page: the main page (under the name it was
// saved as), weapons.html and maps.html, addressed from the folder the page lies in.
#include <string>
#include <string_view>
#include <vector>

#include "site/site_summary.h"

namespace gravmark {

inline constexpr std::string_view kWeaponsPage = "weapons.html";
inline constexpr std::string_view kMapsPage = "maps.html";
inline constexpr std::string_view kVersusPage = "versus.html";
inline constexpr std::string_view kPlayersFolder = "players";

// `up` is "" for a page beside the main page and "../" for a page in players/; with
// `versus` (ratings on) the line also links versus.html.
std::string navigationLine(std::string_view mainPage, std::string_view up, bool versus);

// The address of each row's page from the main page, in row order ("players/Flo-....html").
std::vector<std::string> playerLinks(const SiteSummary& site);

}  // namespace gravmark
