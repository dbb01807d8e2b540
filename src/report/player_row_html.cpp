#include "report/player_row_html.h"

#include "report/colour_codes.h"
#include "report/html_escape.h"
#include "stats/number_format.h"

namespace gravmark {

std::string pageName(std::string_view name) { return replaceColourCodes(htmlEscape(name)); }

std::string PlayerRowHtml::linkedTo(std::string_view address) const {
    std::string linked = opening;
    linked.append("<a href=\"").append(address).append("\">").append(name).append("</a>");
    return linked.append(closing);
}

PlayerRowHtml playerRowHtml(const PlayerRow& row) {
    return {"<tr><td>" + std::to_string(row.kills) + "</td><td>", pageName(row.name),
            "</td><td>" + std::to_string(row.deaths) + "</td><td>" + std::to_string(row.gamesPlayed) +
                "</td><td>" + formatKillsPerGame(row.killsPerGame) + "</td><td>" + formatRatio(row.ratio) +
                "</td></tr>"};
}

}  // namespace gravmark
