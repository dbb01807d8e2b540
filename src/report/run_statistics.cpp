#include "report/run_statistics.h"

#include "report/player_table_records.h"
#include "stats/player_table_orders.h"

namespace gravmark {

PlayerStandings rankPlayers(const Statistics& stats, RecordTable& tempdb, Progress& progress) {
    PlayerStandings standings{playerRows(stats), {}};
    fillPlayerTable(standings.rows, tempdb, progress);
    standings.winners = pickMedalWinners(tempdb);
    return standings;
}

PlayerStandings runStatistics(Statistics& stats, RecordTable& db, RecordTable& tempdb, int32_t gameCount,
                              Progress& progress) {
    stats.count(db, gameCount, progress);
    return rankPlayers(stats, tempdb, progress);
}

}  // namespace gravmark
