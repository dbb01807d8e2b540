#include "site/versus_page.h"

#include <algorithm>
#include <cstdio>

#include "site/site_html.h"
#include "site/site_navigation.h"
#include "stats/html_escape.h"

namespace gravmark {

namespace {

// The shade of a share from 0 to 1: the chart blue, from clear to strong, on any background.
std::string shade(double share) {
    char style[48];
    std::snprintf(style, sizeof style, ";background:rgba(59,130,246,%.2f)", 0.08 + 0.6 * share);
    return style;
}

std::string times(int32_t count) { return std::to_string(count) + (count == 1 ? " time" : " times"); }

std::string duelCell(const SiteSummary& site, size_t row, size_t column) {
    if (row == column) return "<td></td>";
    const PlayerSummary& a = site.players[row];
    const PlayerSummary& b = site.players[column];
    const int32_t won = site.ratings->headToHead.kills(int32_t(a.namedPlace), int32_t(b.namedPlace));
    const int32_t lost = site.ratings->headToHead.kills(int32_t(b.namedPlace), int32_t(a.namedPlace));
    const std::string title = " title=\"" + htmlEscape(a.name) + " killed " + htmlEscape(b.name) + " " +
                              times(won) + ", " + htmlEscape(b.name) + " killed " + htmlEscape(a.name) + " " +
                              times(lost) + "\"";
    const std::string style = won + lost > 0 ? shade(double(won) / (won + lost)) : "";
    return "<td" + title + " style=\"text-align:right" + style + "\">" + std::to_string(won) + "</td>";
}

}  // namespace

std::string versusPage(const SiteSummary& site, const PageFrame& frame, std::string_view mainPage) {
    PageText page(frame);
    page.addLine(heading("Head to head"));
    page.addLine(navigationLine(mainPage, "", true));
    const size_t shown = std::min(site.players.size(), kVersusPlayers);
    if (shown == 0) {
        page.addLine("<p align=center>Nobody.</p>");
        return page.finish();
    }
    page.addLine(
        "<p align=center>Kills of the row's player on the column's player; the stronger the shade, the "
        "larger "
        "his share of the kills between the two.</p>");
    page.addLine("<div style=\"overflow-x:auto\">");
    std::string header = std::string(kTableStart) + "<TR><td></td>";
    for (size_t column = 0; column < shown; ++column)
        header += "<td title=\"" + htmlEscape(site.players[column].name) + "\"><b>" +
                  std::to_string(column + 1) + "</b></td>";
    page.addLine(header + "</TR>");
    const std::vector<std::string> links = playerLinks(site);
    for (size_t row = 0; row < shown; ++row) {
        std::string line = "<tr><td>" + std::to_string(row + 1) + ". " +
                           link(links[row], shownName(site.players[row].name)) + "</td>";
        for (size_t column = 0; column < shown; ++column) line += duelCell(site, row, column);
        page.addLine(line + "</tr>");
    }
    page.addLine("</table>");
    page.addLine("</div>");
    return page.finish();
}

}  // namespace gravmark
