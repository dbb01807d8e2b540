#pragma once
// The tables of the modern pages: accessible (a caption, header cells with their scope),
// inside a box of their own that scrolls sideways on a narrow screen, numbers right-aligned.
// One row is one line of the page.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "site/player_extras.h"
#include "site/site_options.h"

namespace gravmark {

struct Column {
    const char* caption;
    bool numeric;
};

// Everything up to the first row: the box, the table, its caption and its header row, the
// extra columns after the given ones.
std::string tableStart(std::string_view caption, std::initializer_list<Column> columns,
                       const std::vector<ExtraColumn>& extra = {});
inline constexpr std::string_view kTableEnd = "</tbody></table></div>";

// Cells. `html` is finished HTML; numbers in the user's locale.
std::string rowHeader(std::string_view html);
std::string textCell(std::string_view html);
std::string numberCell(int32_t number);
std::string decimalCell(double number);
// The cells of player `player` of the extra columns.
std::string extraCells(const std::vector<ExtraColumn>& extra, size_t player);
std::string shareCell(int32_t part, int32_t whole);

// "<a href=\"ADDRESS\">HTML</a>"
std::string modernLink(std::string_view address, std::string_view html);
// The navigation of every page: the main page (unless `mainPage` is empty: the main page itself), and with
// player pages weapons.html and maps.html (with ratings also versus.html), with the export its two files;
// addressed from `up` ("" or "../").
std::string modernNavigation(std::string_view mainPage, std::string_view up, const ModernSite& modern);

}  // namespace gravmark
