#pragma once
// versus.html, beside the main page: who killed whom among the 20 players with most kills
// (the first 20 rows). A cell holds the kills of its row's player on its column's player
// and is shaded by his share of the kills between the two; the diagonal stays blank.
// Columns are numbered as the rows, the name under the pointer.
#include <string>
#include <string_view>

#include "site/page_text.h"
#include "site/site_options.h"
#include "site/site_summary.h"

namespace gravmark {

inline constexpr size_t kVersusPlayers = 20;

// `site` carries ratings (their head-to-head counts). `mainPage`: the main page's file name.
std::string versusPage(const SiteSummary& site, const PageFrame& frame, std::string_view mainPage);
// The same in the modern style; `templates` as readPageFrame gives them.
std::string modernVersusPage(const ModernSite& modern, const PageFrame& templates, std::string_view mainPage);

}  // namespace gravmark
