#include "site/form_chart.h"

#include <algorithm>

#include "site/site_html.h"
#include "site/svg_chart.h"

namespace gravmark {

namespace {

constexpr double kRight = kChartWidth - 8;
constexpr double kMiddle = (kChartTop + kChartBottom - 14) / 2;

std::string bar(double x, double y, double width, double height, std::string_view colour) {
    return "<rect x=\"" + coordinate(x) + "\" y=\"" + coordinate(y) + "\" width=\"" + coordinate(width) +
           "\" height=\"" + coordinate(height) + "\" fill=\"" + std::string(colour) + "\"/>";
}

std::string plural(int32_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

std::string formChart(std::span<const FormGame> games, const std::vector<std::string>& mapOfGame) {
    if (games.empty()) return {};
    int32_t most = 1;
    for (const FormGame& game : games) most = std::max({most, game.kills, game.deaths});
    const double slot = (kRight - kChartLeft) / double(games.size());
    const double width = std::max(slot * 0.7, 1.0);
    const double unit = (kMiddle - kChartTop) / most;
    std::string svg = chartStart("Kills and deaths in the last games");
    for (size_t g = 0; g < games.size(); ++g) {
        const FormGame& game = games[g];
        const double x = kChartLeft + slot * double(g) + (slot - width) / 2;
        const std::string& map =
            size_t(game.game) < mapOfGame.size() ? mapOfGame[size_t(game.game)] : std::string();
        svg += "<g><title>Game " + std::to_string(game.game) + " on " + shownValue(map) + ": " +
               plural(game.kills, "kill") + ", " + plural(game.deaths, "death") + "</title>";
        // The whole slot answers the pointer, also in a game without kills or deaths.
        svg +=
            bar(kChartLeft + slot * double(g), kChartTop, slot, kChartBottom - 14 - kChartTop, "transparent");
        if (game.kills > 0) svg += bar(x, kMiddle - unit * game.kills, width, unit * game.kills, kChartBlue);
        if (game.deaths > 0) svg += bar(x, kMiddle, width, unit * game.deaths, kChartRed);
        svg += "</g>";
    }
    svg += "<line x1=\"" + coordinate(kChartLeft) + "\" y1=\"" + coordinate(kMiddle) + "\" x2=\"" +
           coordinate(kRight) + "\" y2=\"" + coordinate(kMiddle) +
           "\" stroke=\"currentColor\" stroke-opacity=\"0.4\"/>";
    svg += chartText(kChartLeft - 4, kChartTop + 8, std::to_string(most), "end");
    svg += chartText(kChartLeft - 4, kChartBottom - 14, std::to_string(most), "end");
    svg += chartText(kChartLeft, kChartBottom + 6, "kills up", "start", kChartBlue);
    svg += chartText(kRight, kChartBottom + 6, "deaths down", "end", kChartRed);
    return svg + "</svg>";
}

}  // namespace gravmark
