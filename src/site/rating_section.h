#pragma once
// The part of a player page the ratings add: his rating in words, its chart after every
// game and his form over the last games, in the markup of either page style.
#include "site/page_text.h"
#include "site/site_summary.h"
#include "stats/rating_report.h"

namespace gravmark {

enum class PageStyle { Classic, Modern };

void addRatingSection(PageText& page, const RatingReport& ratings, const PlayerSummary& player,
                      PageStyle style);

}  // namespace gravmark
