#pragma once
// The statistics part of HTML in one call, for the window and the batch command alike.
#include <cstdint>
#include <vector>

#include "common/progress.h"
#include "report/player_row_html.h"
#include "stats/medal_winners.h"
#include "stats/player_rows.h"
#include "stats/statistics.h"
#include "table/record_table.h"

namespace gravmark {

struct PlayerStandings {
    std::vector<PlayerRow> rows;          // roster order; `playerTable`'s record n is row n
    std::vector<PlayerRowHtml> rowsHtml;  // the same rows as the page shows them
    MedalWinners winners;
};

// The rows of `stats` as counted, written into `playerTable`, and the medal winners; `playerTable`
// is left ordered by kills, highest first, the order of the rows on the page.
PlayerStandings rankPlayers(const Statistics& stats, RecordTable& playerTable, Progress& progress);

// Builds the roster and the counters from `events` and prunes its join events first.
PlayerStandings runStatistics(Statistics& stats, GameEvents& events, RecordTable& playerTable,
                              int32_t gameCount, Progress& progress);

}  // namespace gravmark
