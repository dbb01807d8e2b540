#include "stats/run_statistics.h"

#include "stats/player_table.h"

namespace gravmark {

MedalWinners runStatistics(Statistics& stats, RecordTable& db, RecordTable& tempdb, int32_t gameCount,
                           Progress& progress) {
    stats.count(db, gameCount, progress);
    fillPlayerTable(stats, tempdb, progress);
    return pickMedalWinners(tempdb);
}

}  // namespace gravmark
