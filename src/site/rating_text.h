#pragma once
// A player's rating in words, the same wherever it is shown: "1623 &plusmn; 94, rank 3
// of 12" (rating and twice the deviation, rounded), "1480 &plusmn; 260, provisional"
// while the deviation is above 110, "not rated" before the first result. HTML text.
#include <cstdint>
#include <string>

#include "stats/rating_report.h"

namespace gravmark {

std::string ratingText(const PlayerRating& rating, int32_t rankedCount);

}  // namespace gravmark
