#include "site/modern_html.h"

#include <QLocale>

#include "report/html_escape.h"
#include "site/modern_style.h"
#include "site/site_export.h"
#include "site/site_html.h"
#include "site/site_navigation.h"

namespace gravmark {

namespace {

std::string headerCell(std::string_view caption, bool numeric) {
    return std::string(numeric ? "<th scope=\"col\" class=\"num\">" : "<th scope=\"col\">") +
           htmlEscape(caption) + "</th>";
}

std::string numeric(std::string_view text) { return "<td class=\"num\">" + std::string(text) + "</td>"; }

constexpr std::string_view kTableEnd = "</tbody></table></div>";

// Everything up to the first row: the box, the table, its caption and its header row, the
// extra columns after the given ones.
std::string tableStart(std::string_view caption, std::initializer_list<Column> columns,
                       const std::vector<ExtraColumn>& extra) {
    std::string html =
        "<div class=\"scroll\"><table><caption>" + std::string(caption) + "</caption><thead><tr>";
    for (const Column& column : columns) html += headerCell(column.caption, column.numeric);
    for (const ExtraColumn& column : extra) html += headerCell(column.caption, column.numeric);
    return html + "</tr></thead><tbody>";
}

}  // namespace

ModernTable::ModernTable(std::string_view caption, std::initializer_list<Column> columns,
                         std::string_view empty, const std::vector<ExtraColumn>& extra)
    : caption_(caption), start_(tableStart(caption, columns, extra)), empty_(empty) {}

void ModernTable::writeTo(PageText& page) const {
    if (rows_.empty()) {
        page.addLine("<h2>" + caption_ + "</h2><p class=\"note\">" + empty_ + "</p>");
        return;
    }
    page.addLine(start_);
    for (const std::string& row : rows_) page.addLine(row);
    page.addLine(kTableEnd);
}

std::string rowHeader(std::string_view html) { return "<th scope=\"row\">" + std::string(html) + "</th>"; }

std::string textCell(std::string_view html) { return "<td>" + std::string(html) + "</td>"; }

std::string numberCell(int32_t number) { return numeric(localeNumber(number)); }

std::string decimalCell(double number) { return numeric(localeDecimal(number)); }

std::string extraCells(const std::vector<ExtraColumn>& extra, size_t player) {
    std::string cells;
    for (const ExtraColumn& column : extra) {
        const std::string text =
            player < column.cells.size() ? htmlEscape(column.cells[player]) : std::string();
        cells += column.numeric ? numeric(text) : textCell(text);
    }
    return cells;
}

std::string shareCell(int32_t part, int32_t whole) {
    const double percent = whole > 0 ? 100.0 * part / whole : 0.0;
    return numeric(QLocale().toString(percent, 'f', 1).toUtf8().toStdString() + " %");
}

std::string modernLink(std::string_view address, std::string_view html) {
    return "<a href=\"" + std::string(address) + "\">" + std::string(html) + "</a>";
}

std::string modernNavigation(std::string_view mainPage, std::string_view up, const ModernSite& modern) {
    const std::string base(up);
    std::string html = "<nav><ul>";
    if (!mainPage.empty()) html += "<li>" + modernLink(base + addressOf(mainPage), "Statistics") + "</li>";
    if (modern.options.playerPages) {
        html += "<li>" + modernLink(base + std::string(kWeaponsPage), "Weapons") + "</li>";
        html += "<li>" + modernLink(base + std::string(kMapsPage), "Maps") + "</li>";
        if (modern.site.ratings)
            html += "<li>" + modernLink(base + std::string(kVersusPage), "Head to head") + "</li>";
    }
    if (modern.options.exportData) {
        html += "<li>" + modernLink(base + std::string(kStatsJson), kStatsJson) + "</li>";
        html += "<li>" + modernLink(base + std::string(kPlayersCsv), kPlayersCsv) + "</li>";
    }
    return html + "</ul></nav>";
}

void openModernMain(PageText& page, const std::string& heading, std::string_view mainPage,
                    std::string_view up, const ModernSite& modern) {
    page.addLine("<main>");
    page.addLine("<h1>" + heading + "</h1>");
    page.addLine(modernNavigation(mainPage, up, modern));
}

}  // namespace gravmark
