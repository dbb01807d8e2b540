#pragma once
// The player table `tempdb`: one record per player of a statistics run.
#include <vector>

#include "table/record_table.h"

namespace gravmark {

// A player's name comes from the event table (at most 40 characters) and is escaped and
// coloured whole, never cut afterwards: "^1" (2 characters) grows into up to 22, so the
// widest name is 20 colour tags. A row adds its tags (63 characters) and five numbers of
// at most 12 characters each. No name or row is ever cut by these fields.
constexpr int kPlayerNameWidth = 20 * 22;
constexpr int kPlayerRowWidth = kPlayerNameWidth + 63 + 5 * 12;

// The 11 fields in their order: kills, killed, name (kPlayerNameWidth), headshot,
// headshotr, played, target (float), html (kPlayerRowWidth), bomb, tnt, suicide.
std::vector<FieldDef> playerTableFields();

}  // namespace gravmark
