#pragma once
// The player table `tempdb` (fields: playerTableFields()) filled from a statistics run, its
// orders and the medal winners picked from it.
#include <string_view>

#include "common/progress.h"
#include "stats/medal_winners.h"
#include "stats/statistics.h"
#include "table/record_table.h"

namespace gravmark {

// Empties `tempdb`, then adds one record per roster player except the empty name: the
// counters, games played (at least 1), the ratio (999 without kills or deaths), the
// HTML-escaped name and table row with colour codes replaced.
// Records are posted in roster order, so a record's posting number names its player.
void fillPlayerTable(const Statistics& stats, RecordTable& tempdb, Progress& progress);

// Orders `table` by the named index "<field>__IdxA" (ascending), or by "<field>__IdxD"
// (descending) when the ascending one is already current, creating the index on first
// need. False, with the order unchanged, when the table has no such field.
bool sortByField(RecordTable& table, std::string_view fieldName);

// The seven winners in the fixed order (target, headshot, headshotr, tnt, bomb, suicide,
// kills); ties go to the first record of the order the indexes give. Leaves `tempdb`
// ordered by kills, highest first. An empty table gives seven empty names.
MedalWinners pickMedalWinners(RecordTable& tempdb);

}  // namespace gravmark
