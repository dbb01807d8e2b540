#include "stats/run_statistics.h"

#include "stats/player_table.h"

namespace gravmark {

MedalWinners runStatistics(Statistics& stats, RecordTable& db, RecordTable& tempdb, int32_t GameCount,
                           Progress& progress) {
    stats.Removeduplicates(db, progress);
    stats.CountKills(db, progress);
    stats.Countdeaths(db, progress);
    stats.CountHeadShots(db, progress);
    stats.CountBombs(db, progress);
    stats.CountSuicides(db, progress);
    stats.DeleteGamesWithNoStat(db, GameCount, progress);
    fillPlayerTable(stats, db, tempdb, progress);
    return pickMedalWinners(tempdb);
}

}  // namespace gravmark
