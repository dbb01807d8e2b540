#pragma once
// The player table `tempdb`: one record per player of a statistics run.
#include <vector>

#include "table/record_table.h"

namespace gravmark {

// The 11 fields in their order: kills, killed, name (40), headshot, headshotr, played,
// target (float), html (200), bomb, tnt, suicide.
std::vector<FieldDef> playerTableFields();

}  // namespace gravmark
