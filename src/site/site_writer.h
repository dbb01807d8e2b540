#pragma once
// The extra pages beside a saved main page: the folder players/ with one page per row,
// weapons.html and maps.html (and with ratings versus.html), staged in the page's SiteChange so that they
// take their places together with the page (a visitor never sees pages of two runs).
//
// A marker file in players/ tells that this program wrote it: a players/ without it is
// somebody else's and is never replaced or removed (the save then fails with a message).
#include <string>

#include "report/site_change.h"
#include "site/site_options.h"
#include "site/site_summary.h"

namespace gravmark {

inline constexpr const char* kPlayersMarker = ".gravmark-players";

// Stages players/, weapons.html and maps.html into `change`, whose folder is the folder
// of `pageTarget` (the main page's path as saved); the templates come from programFolder
// (ending in a separator). Removes the temporary players folders ".players.XXXXXX" that
// earlier releases left when killed. With `modern` the pages are of the modern style.
// Throws gravmark::Error; the folder is then as it was.
void stageSite(SiteChange& change, const SiteSummary& site, const std::string& programFolder,
               const std::string& pageTarget, const ModernSite* modern = nullptr);

// The same pages written without the main page: staged and put in place at once.
void writeSite(const SiteSummary& site, const std::string& programFolder, const std::string& pageTarget);

}  // namespace gravmark
