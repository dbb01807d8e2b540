#pragma once
// A player as the statistics table of the main page shows them.
#include <string>
#include <string_view>

#include "stats/player_rows.h"

namespace gravmark {

// The name escaped, its colour codes made opening font tags ("^1Bob" -> "<font
// color=red>Bob"); the tags stay open, as they always have on the main page.
std::string pageName(std::string_view name);

// "<tr><td>kills</td><td>name</td><td>deaths</td><td>games played</td><td>kills per
// game</td><td>ratio</td></tr>" on one line. With an address, the name cell's content is
// a link to it: <a href="ADDRESS">name</a>.
std::string playerRowHtml(const PlayerRow& row, std::string_view address = {});

}  // namespace gravmark
