#include "site/rating_chart.h"

#include <algorithm>
#include <cmath>

#include "site/svg_chart.h"

namespace gravmark {

namespace {

constexpr double kRight = kChartWidth - 8;
constexpr double kMargin = 25;  // rating points above the best and below the worst

// Where the points go: games evenly spaced, ratings from the lowest to the highest. The
// early band is wide; it is cut at the chart's edges so that the line keeps its room.
class RatingScale {
public:
    explicit RatingScale(std::span<const RatingPoint> history) : points_(history.size()) {
        const auto [low, high] = std::minmax_element(
            history.begin(), history.end(),
            [](const RatingPoint& a, const RatingPoint& b) { return a.rating < b.rating; });
        low_ = std::floor((low->rating - kMargin) / 10) * 10;
        high_ = std::ceil((high->rating + kMargin) / 10) * 10;
    }
    double x(size_t point) const {
        return points_ == 1 ? (kChartLeft + kRight) / 2
                            : kChartLeft + (kRight - kChartLeft) * point / (points_ - 1);
    }
    double y(double rating) const {
        const double clamped = std::clamp(rating, low_, high_);
        return kChartBottom - 14 - (kChartBottom - 14 - kChartTop) * (clamped - low_) / (high_ - low_);
    }
    double low() const { return low_; }
    double high() const { return high_; }

private:
    size_t points_;
    double low_ = 0, high_ = 0;
};

std::string point(double x, double y) { return coordinate(x) + "," + coordinate(y) + " "; }

}  // namespace

std::string ratingChart(std::span<const RatingPoint> history) {
    if (history.empty()) return {};
    const RatingScale scale(history);
    std::string band, line, dots;
    for (size_t p = 0; p < history.size(); ++p) {
        const RatingPoint& at = history[p];
        band += point(scale.x(p), scale.y(at.rating + 2 * at.deviation));
        line += point(scale.x(p), scale.y(at.rating));
        dots += "<circle cx=\"" + coordinate(scale.x(p)) + "\" cy=\"" + coordinate(scale.y(at.rating)) +
                "\" r=\"2.5\" fill=\"" + std::string(kChartBlue) + "\"><title>Game " +
                std::to_string(at.game) + ": " + std::to_string(std::lround(at.rating)) + " &#177; " +
                std::to_string(std::lround(2 * at.deviation)) + "</title></circle>";
    }
    for (size_t p = history.size(); p-- > 0;)
        band += point(scale.x(p), scale.y(history[p].rating - 2 * history[p].deviation));
    band.pop_back();
    line.pop_back();
    const double axis = kChartBottom - 14;
    std::string svg = chartStart("Rating after each game");
    svg += "<line x1=\"" + coordinate(kChartLeft) + "\" y1=\"" + coordinate(axis) + "\" x2=\"" +
           coordinate(kRight) + "\" y2=\"" + coordinate(axis) +
           "\" stroke=\"currentColor\" stroke-opacity=\"0.4\"/>";
    svg +=
        "<polygon points=\"" + band + "\" fill=\"" + std::string(kChartBlue) + "\" fill-opacity=\"0.25\"/>";
    svg += "<polyline points=\"" + line + "\" fill=\"none\" stroke=\"" + std::string(kChartBlue) +
           "\" stroke-width=\"2\"/>";
    svg += dots;
    svg += chartText(kChartLeft - 4, scale.y(scale.high()) + 4, coordinate(scale.high()), "end");
    svg += chartText(kChartLeft - 4, scale.y(scale.low()) + 4, coordinate(scale.low()), "end");
    svg += chartText(kChartLeft, kChartBottom + 6, "game " + std::to_string(history.front().game), "start");
    if (history.size() > 1)
        svg += chartText(kRight, kChartBottom + 6, "game " + std::to_string(history.back().game), "end");
    return svg + "</svg>";
}

}  // namespace gravmark
