#pragma once
// A player as the statistics table of the main page shows them.
#include <string>
#include <string_view>

#include "stats/player_rows.h"

namespace gravmark {

// The name escaped, its colour codes made opening font tags ("^1Bob" -> "<font
// color=red>Bob"); the tags stay open, as they always have on the main page.
std::string pageName(std::string_view name);

// A player's row, "<tr><td>kills</td><td>name</td><td>deaths</td><td>games played</td>
// <td>kills per game</td><td>ratio</td></tr>" on one line, rendered once and kept in the
// parts around the name cell's content, so that the name can become a link.
struct PlayerRowHtml {
    std::string opening;  // up to the name cell's content
    std::string name;     // pageName
    std::string closing;  // from the end of the name cell's content

    std::string whole() const { return opening + name + closing; }
    // The name cell's content a link: <a href="ADDRESS">name</a>.
    std::string linkedTo(std::string_view address) const;
};

PlayerRowHtml playerRowHtml(const PlayerRow& row);

}  // namespace gravmark
