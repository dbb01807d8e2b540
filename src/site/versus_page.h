#pragma once
// versus.html, beside the main page: who killed whom among the 20 players with most kills
// (the first 20 rows). A cell holds the kills of its row's player on its column's player
// and is shaded by his share of the kills between the two; the diagonal stays blank.
#include <string>
#include <string_view>

#include "site/page_text.h"
#include "site/site_summary.h"

namespace gravmark {

inline constexpr size_t kVersusPlayers = 20;

// `site` carries ratings (their head-to-head counts).
std::string versusPage(const SiteSummary& site, const PageFrame& frame, std::string_view mainPage);

}  // namespace gravmark
