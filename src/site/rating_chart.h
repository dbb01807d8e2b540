#pragma once
// A player's rating after each of his games as an inline SVG line, with the band of
// twice the deviation around it; hovering a point tells the game and the rating.
#include <span>
#include <string>

#include "stats/rating_report.h"

namespace gravmark {

// Empty when there is no point to draw.
std::string ratingChart(std::span<const RatingPoint> history);

}  // namespace gravmark
