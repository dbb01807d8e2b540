#pragma once
// The player table: one record per player of a statistics run. Code names it
// `playerTable`; its work file temp.xml and its field names stay as the user has always
// seen them.
#include <vector>

#include "table/record_table.h"

namespace gravmark {

// A player's name comes from the event table (at most 40 characters) and is escaped and
// coloured whole, never cut afterwards: "^1" (2 characters) grows into up to 22, so the
// widest name is 20 colour tags. A row adds its tags (63 characters) and five numbers of
// at most 12 characters each. No name or row is ever cut by these fields.
constexpr int kPlayerNameWidth = 20 * 22;
constexpr int kPlayerRowWidth = kPlayerNameWidth + 63 + 5 * 12;

// The names of the player table's fields, for code outside the table (see EventField).
struct PlayerField {
    static constexpr const char* kKills = "kills";
    static constexpr const char* kDeaths = "killed";
    static constexpr const char* kName = "name";  // escaped and coloured for the page
    static constexpr const char* kHeadshotsGiven = "headshot";
    static constexpr const char* kHeadshotsTaken = "headshotr";
    static constexpr const char* kGamesPlayed = "played";
    static constexpr const char* kRatio = "target";  // kills per death
    static constexpr const char* kRow = "html";      // the player's row of the page
    static constexpr const char* kGrenadeKills = "bomb";
    static constexpr const char* kTntKills = "tnt";
    static constexpr const char* kSuicides = "suicide";
};

// The 11 fields in their order: kills, killed, name (kPlayerNameWidth), headshot,
// headshotr, played, target (float), html (kPlayerRowWidth), bomb, tnt, suicide.
std::vector<FieldDef> playerTableFields();

}  // namespace gravmark
