#include "report/run_statistics.h"

#include "report/player_table_records.h"
#include "stats/player_table_orders.h"

namespace gravmark {

PlayerStandings rankPlayers(const Statistics& stats, RecordTable& playerTable, Progress& progress) {
    PlayerStandings standings{playerRows(stats), {}, {}};
    standings.rowsHtml = fillPlayerTable(standings.rows, playerTable, progress);
    standings.winners = pickMedalWinners(playerTable);
    return standings;
}

PlayerStandings runStatistics(Statistics& stats, GameEvents& events, RecordTable& playerTable,
                              int32_t gameCount, Progress& progress) {
    stats.count(events, gameCount, progress);
    return rankPlayers(stats, playerTable, progress);
}

}  // namespace gravmark
