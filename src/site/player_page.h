#pragma once
// The page of one player, players/<file name>: the row's numbers and medals, kills by
// weapon, by hit location and by map, favourite victims and nemeses, suicides and
// deaths by the world.
#include <string>
#include <string_view>

#include "site/page_text.h"
#include "site/site_summary.h"

namespace gravmark {

// `mainPage` is the file name the main page was saved as; the page links back to it.
std::string playerPage(const SiteSummary& site, size_t player, const PageFrame& frame,
                       std::string_view mainPage);

}  // namespace gravmark
