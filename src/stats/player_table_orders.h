#pragma once
// The orders of the player table `playerTable` (fields: playerTableFields()) and the medal
// winners picked through them. Its records are written where the page is (report/).
#include <string_view>

#include "stats/medal_winners.h"
#include "table/record_table.h"

namespace gravmark {

// Orders `table` by the named index "<field>__IdxA" (ascending), or by "<field>__IdxD"
// (descending) when the ascending one is already current, creating the index on first
// need. False, with the order unchanged, when the table has no such field.
bool sortByField(RecordTable& table, std::string_view fieldName);

// The seven winners in the fixed order (target, headshot, headshotr, tnt, bomb, suicide,
// kills); ties go to the first record of the order the indexes give. Leaves `playerTable`
// ordered by kills, highest first. An empty table gives seven empty names.
MedalWinners pickMedalWinners(RecordTable& playerTable);

}  // namespace gravmark
