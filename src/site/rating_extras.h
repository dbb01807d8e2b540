#pragma once
// The ratings as the modern page and the export carry them: the columns "Rating"
// ("1623 ± 94", rounded) and "Rank" ("3 of 12", "provisional"), and in stats.json
// "rating": {"r", "rd", "sigma", "provisional", "rank"} at full precision (rank null while
// provisional; the whole field null for a player without a result).
#include "site/player_extras.h"
#include "site/site_summary.h"
#include "stats/rating_report.h"

namespace gravmark {

void addRatingExtras(PlayerExtras& extras, const SiteSummary& site, const RatingReport& ratings);

}  // namespace gravmark
