#pragma once
// The frame the inline SVG charts share: a fixed drawing area scaled to the width it is
// given (so that it fits a phone), axis text in the page's own text colour, so that a
// light and a dark page both read it. No script.
#include <string>
#include <string_view>

namespace gravmark {

inline constexpr double kChartWidth = 480;
inline constexpr double kChartHeight = 200;
inline constexpr double kChartLeft = 52;     // room for the value labels
inline constexpr double kChartBottom = 180;  // the baseline of the game numbers below it
inline constexpr double kChartTop = 12;

// Two marks in the palette: readable on white and on black.
inline constexpr std::string_view kChartBlue = "#3b82f6";
inline constexpr std::string_view kChartRed = "#e4572e";

// "<svg ...>" opened with a title for screen readers; close with "</svg>".
std::string chartStart(std::string_view label);
// A number with at most one decimal, as SVG coordinates are written.
std::string coordinate(double value);
// Text at (x, y), by default in the page's text colour; `anchor` is start, middle or end.
std::string chartText(double x, double y, std::string_view text, std::string_view anchor,
                      std::string_view colour = "currentColor");

}  // namespace gravmark
