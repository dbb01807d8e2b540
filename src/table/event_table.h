#pragma once
// The event table `db`: one record per join ("J") or kill ("K") event of the log.
#include <vector>

#include "table/record_table.h"

namespace gravmark {

// The width of the player name fields a_name and v_name: a longer name is stored cut.
inline constexpr int kEventNameWidth = 40;

// The 13 fields in their order: command, v_team, v_name, a_team, a_name, a_weapon,
// damage, damage_type, damage_location, maptype, map, game, message.
std::vector<FieldDef> eventTableFields();

}  // namespace gravmark
