#pragma once
// Writes the extra pages beside a saved main page: the folder players/ with one page per
// row, weapons.html and maps.html, and with ratings versus.html.
//
// players/ is written whole into a temporary folder beside it and then exchanged with
// the old one in one rename, so a visitor never sees pages of two runs; the old folder
// is removed afterwards. A marker file in the folder tells that this program wrote it: a
// players/ without it is somebody else's and is never replaced or removed (the save then
// fails with a message). weapons.html and maps.html are replaced atomically like the page.
#include <string>

#include "site/site_summary.h"

namespace gravmark {

inline constexpr const char* kPlayersMarker = ".gravmark-players";

// `pageTarget` is the main page's path as saved; the templates come from programFolder
// (ending in a separator). Nothing is written when the page's folder does not exist (the
// page's own write then fails). Throws gravmark::Error; a failure leaves the earlier
// players/ as it was and no temporary folder behind.
void writeSite(const SiteSummary& site, const std::string& programFolder, const std::string& pageTarget);

}  // namespace gravmark
