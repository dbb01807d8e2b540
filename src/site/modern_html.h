#pragma once
// The tables of the modern pages: accessible (a caption, header cells with their scope),
// inside a box of their own that scrolls sideways on a narrow screen, numbers right-aligned.
// One row is one line of the page.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "site/page_text.h"
#include "site/player_extras.h"
#include "site/site_options.h"

namespace gravmark {

struct Column {
    const char* caption;
    bool numeric;
};

// A table written once its rows are known: without rows, its caption becomes a heading
// with `empty` below it, as a table without rows is no valid HTML.
class ModernTable {
public:
    ModernTable(std::string_view caption, std::initializer_list<Column> columns, std::string_view empty,
                const std::vector<ExtraColumn>& extra = {});
    // A row, "<tr>...</tr>".
    void addRow(std::string row) { rows_.push_back(std::move(row)); }
    void writeTo(PageText& page) const;

private:
    std::string caption_, start_, empty_;
    std::vector<std::string> rows_;
};

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
// Opens the page's <main> with its heading (HTML) and the navigation below it.
void openModernMain(PageText& page, const std::string& heading, std::string_view mainPage,
                    std::string_view up, const ModernSite& modern);

}  // namespace gravmark
