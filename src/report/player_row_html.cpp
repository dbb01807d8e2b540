#include "report/player_row_html.h"

#include "report/colour_codes.h"
#include "report/html_escape.h"
#include "stats/number_format.h"

namespace gravmark {

std::string pageName(std::string_view name) { return replaceColourCodes(htmlEscape(name)); }

std::string playerRowHtml(const PlayerRow& row, std::string_view address) {
    std::string html = "<tr><td>" + std::to_string(row.kills) + "</td><td>";
    if (address.empty()) {
        html += pageName(row.name);
    } else {
        html.append("<a href=\"").append(address).append("\">").append(pageName(row.name)).append("</a>");
    }
    return html + "</td><td>" + std::to_string(row.deaths) + "</td><td>" + std::to_string(row.gamesPlayed) +
           "</td><td>" + formatKillsPerGame(row.killsPerGame) + "</td><td>" + formatRatio(row.ratio) +
           "</td></tr>";
}

}  // namespace gravmark
