#pragma once
// weapons.html and maps.html, beside the main page: the server's kills per weapon (with
// the player who killed most with it) and per map (kills and games).
#include <string>
#include <string_view>

#include "site/page_text.h"
#include "site/site_summary.h"

namespace gravmark {

std::string weaponsPage(const SiteSummary& site, const PageFrame& frame, std::string_view mainPage);
std::string mapsPage(const SiteSummary& site, const PageFrame& frame, std::string_view mainPage);

}  // namespace gravmark
