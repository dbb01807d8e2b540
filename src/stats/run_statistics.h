#pragma once
// The statistics part of HTML in one call, for the window and the batch command alike.
#include <cstdint>

#include "common/progress.h"
#include "stats/medal_winners.h"
#include "stats/statistics.h"
#include "table/record_table.h"

namespace gravmark {

// Builds the roster and the counters from `db`, prunes its join events, fills `tempdb` and
// picks the medal winners; `tempdb` is left ordered by kills, highest first.
MedalWinners runStatistics(Statistics& stats, RecordTable& db, RecordTable& tempdb, int32_t gameCount,
                           Progress& progress);

}  // namespace gravmark
