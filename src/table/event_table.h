#pragma once
// The event table: one record per join ("J") or kill ("K") event of the log. Code names
// it `events`; the user knows it as "db" (the "show db" grid, its work file lijst.xml), and
// those names and its field names stay, because the grid and the work file show them.
#include <cstdint>
#include <vector>

#include "table/game_events.h"
#include "table/record_table.h"

namespace gravmark {

// The width of the player name fields a_name and v_name: a longer name is stored cut.
inline constexpr int kEventNameWidth = EventWidth::kName;

// The names of the event table's fields. Code outside the table names a field by one of
// these, so a misspelt field fails to compile instead of failing when the table is read.
struct EventField {
    static constexpr const char* kCommand = "command";  // "J" or "K"
    static constexpr const char* kVictimTeam = "v_team";
    static constexpr const char* kVictimName = "v_name";
    static constexpr const char* kAttackerTeam = "a_team";
    static constexpr const char* kAttackerName = "a_name";  // the joining player on a join
    static constexpr const char* kWeapon = "a_weapon";
    static constexpr const char* kDamage = "damage";
    static constexpr const char* kDamageType = "damage_type";
    static constexpr const char* kHitLocation = "damage_location";
    static constexpr const char* kMapType = "maptype";
    static constexpr const char* kMap = "map";
    static constexpr const char* kGame = "game";
    static constexpr const char* kMessage = "message";
};

// The 13 fields in their order: command, v_team, v_name, a_team, a_name, a_weapon,
// damage, damage_type, damage_location, maptype, map, game, message.
std::vector<FieldDef> eventTableFields();

// The table shows `events`: its records become theirs as posting them in log order as
// PARSE has always posted them (each before the one posted last) and then closing and
// opening the table made them (RecordTable::fillRecords: the work file is written, record 0
// is the log's last event). Indexes, orders and filter settings stay.
void showEventsInTable(const GameEvents& events, RecordTable& table);

// The live records of `table` (a pending grid edit posted first) as events, from the highest
// record number to the lowest: the log order of a table showEventsInTable filled, the
// user's inserts and edits included. recordOfEvent[i] is the record number of event i.
GameEvents eventsOfTable(RecordTable& table, std::vector<uint32_t>& recordOfEvent);

}  // namespace gravmark
