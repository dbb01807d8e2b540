#pragma once
// The statistics table as plain values: one row per named player, in roster order, with
// the numbers the page shows and the name as the log spelled it. How a row looks on a
// page is the page writers' business (report/, site/).
#include <cstdint>
#include <string>
#include <vector>

#include "stats/statistics.h"

namespace gravmark {

struct PlayerRow {
    std::string name;  // the roster name, raw bytes, colour codes included
    int32_t kills = 0;
    int32_t deaths = 0;
    int32_t gamesPlayed = 1;  // at least 1, also for a player who never joined
    int32_t headshotsGiven = 0;
    int32_t headshotsTaken = 0;
    int32_t tntKills = 0;
    int32_t grenadeKills = 0;
    int32_t suicides = 0;
    double killsPerGame = 0;  // 0 without kills
    double ratio = 999;       // kills per death; 999 without kills or without deaths
};

// One row per roster entry but the empty name (events without an attacker give it; it is
// nobody's row), in roster order.
std::vector<PlayerRow> playerRows(const Statistics& stats);

}  // namespace gravmark
