#include "site/versus_page.h"

#include <algorithm>
#include <cstdio>

#include "report/html_escape.h"
#include "site/code_page.h"
#include "site/modern_html.h"
#include "site/modern_style.h"
#include "site/site_export.h"
#include "site/site_html.h"
#include "site/site_navigation.h"

namespace gravmark {

namespace {

constexpr std::string_view kExplanation =
    "Kills of the row's player on the column's player; the stronger the shade, the larger his share of "
    "the kills between the two.";

// The shade of a share from 0 to 1: the chart blue, from clear to strong, on any background.
std::string shade(double share) {
    char style[48];
    std::snprintf(style, sizeof style, ";background:rgba(59,130,246,%.2f)", 0.08 + 0.6 * share);
    return style;
}

std::string times(int32_t count) { return std::to_string(count) + (count == 1 ? " time" : " times"); }

// The cells of either style's table; `titles` are the names as attribute text.
class VersusTable {
public:
    VersusTable(const SiteSummary& site, std::vector<std::string> titles)
        : site_(site), titles_(std::move(titles)), shown_(std::min(site.players.size(), kVersusPlayers)) {}

    size_t shown() const { return shown_; }

    // One numbered cell <tag attributes title="name"> per column.
    std::string headerCells(std::string_view tag, std::string_view attributes) const {
        std::string cells;
        for (size_t column = 0; column < shown_; ++column) {
            cells.append("<").append(tag).append(attributes).append(" title=\"").append(titles_[column]);
            cells.append("\">").append(std::to_string(column + 1)).append("</").append(tag).append(">");
        }
        return cells;
    }

    std::string duelCells(size_t row) const {
        std::string cells;
        for (size_t column = 0; column < shown_; ++column) cells += duelCell(row, column);
        return cells;
    }

private:
    std::string duelCell(size_t row, size_t column) const {
        if (row == column) return "<td></td>";
        const PlayerSummary& a = site_.players[row];
        const PlayerSummary& b = site_.players[column];
        const int32_t won = site_.ratings->headToHead.kills(int32_t(a.namedPlace), int32_t(b.namedPlace));
        const int32_t lost = site_.ratings->headToHead.kills(int32_t(b.namedPlace), int32_t(a.namedPlace));
        const std::string title = titles_[row] + " killed " + titles_[column] + " " + times(won) + ", " +
                                  titles_[column] + " killed " + titles_[row] + " " + times(lost);
        const std::string style = won + lost > 0 ? shade(double(won) / (won + lost)) : "";
        return "<td title=\"" + title + "\" style=\"text-align:right" + style + "\">" + std::to_string(won) +
               "</td>";
    }

    const SiteSummary& site_;
    std::vector<std::string> titles_;
    size_t shown_;
};

}  // namespace

std::string versusPage(const SiteSummary& site, const PageFrame& frame, std::string_view mainPage) {
    PageText page(frame);
    page.addLine(heading("Head to head"));
    page.addLine(navigationLine(mainPage, "", true));
    std::vector<std::string> titles;
    for (const PlayerSummary& player : site.players) titles.push_back(htmlEscape(player.name));
    const VersusTable table(site, std::move(titles));
    if (table.shown() == 0) {
        page.addLine("<p align=center>Nobody.</p>");
        return page.finish();
    }
    page.addLine("<p align=center>" + std::string(kExplanation) + "</p>");
    page.addLine("<div style=\"overflow-x:auto\">");
    page.addLine(std::string(kTableStart) + "<TR><td></td>" + table.headerCells("td", "") + "</TR>");
    const std::vector<std::string> links = playerLinks(site);
    for (size_t row = 0; row < table.shown(); ++row)
        page.addLine("<tr><td>" + std::to_string(row + 1) + ". " +
                     link(links[row], shownName(site.players[row].name)) + "</td>" + table.duelCells(row) +
                     "</tr>");
    page.addLine("</table>");
    page.addLine("</div>");
    return page.finish();
}

std::string modernVersusPage(const ModernSite& modern, const PageFrame& templates,
                             std::string_view mainPage) {
    const PageFrame frame = modernFrame(templates, "Head to head", "");
    PageText page(frame);
    openModernMain(page, "Head to head", mainPage, "", modern);
    std::vector<std::string> titles;
    for (const PlayerSummary& player : modern.site.players)
        titles.push_back(htmlEscape(toUtf8(withoutColourCodes(player.name), modern.options.codePage)));
    const VersusTable table(modern.site, std::move(titles));
    if (table.shown() == 0) {
        page.addLine("<p class=\"note\">Nobody.</p>");
    } else {
        page.addLine("<p class=\"note\">" + std::string(kExplanation) + "</p>");
        page.addLine(
            "<div class=\"scroll\"><table><caption>Kills, row on column</caption><thead><tr><td></td>" +
            table.headerCells("th", " scope=\"col\" class=\"num\"") + "</tr></thead><tbody>");
        const std::vector<std::string> links = playerLinks(modern.site);
        for (size_t row = 0; row < table.shown(); ++row)
            page.addLine("<tr>" +
                         rowHeader(std::to_string(row + 1) + ". " +
                                   modernLink(links[row], modernName(modern.site.players[row].name,
                                                                     modern.options.codePage))) +
                         table.duelCells(row) + "</tr>");
        page.addLine("</tbody></table></div>");  // as every modern table ends
    }
    page.addLine("</main>");
    return page.finish();
}

}  // namespace gravmark
