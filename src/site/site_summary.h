#pragma once
// What the player pages, weapons.html and maps.html show, taken after a statistics run
// from the events as the statistics left them (pruned, names merged) and from the
// player table's rows, so that every page adds up to its row: a player's kills are the
// kill events naming them as attacker (suicides included), their deaths the events
// naming them as victim, their games the join events left after pruning, all by exact
// name, as the counters take them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stats/medal_winners.h"
#include "stats/player_rows.h"
#include "stats/rating_report.h"
#include "table/game_events.h"
#include "table/record_table.h"

namespace gravmark {

inline constexpr int kNoPlayer = -1;

struct WeaponKills {
    std::string weapon;
    int32_t kills = 0;
    int32_t headshots = 0;
};

struct LocationKills {
    std::string location;
    int32_t kills = 0;
};

struct MapTally {
    std::string map;
    int32_t kills = 0;
    int32_t deaths = 0;
    int32_t games = 0;  // on a player's page: join events; on maps.html: distinct games
};

// A victim or a killer: the name as the log gave it and, when that name has a row,
// the player's place in SiteSummary::players.
struct Opponent {
    std::string name;
    int32_t count = 0;
    int player = kNoPlayer;
};

// Which medals a player won, in the page's medal order (Killer ... Suicide).
using MedalsWon = std::vector<size_t>;

struct PlayerSummary {
    std::string name;       // the roster name, raw bytes
    std::string fileName;   // in players/
    size_t namedPlace = 0;  // among the roster's non-empty names: the player's place in the ratings
    // The row's numbers.
    int32_t kills = 0;
    int32_t killed = 0;
    int32_t played = 0;
    double ratio = 0;
    int32_t headshots = 0;  // given
    int32_t headshotsTaken = 0;
    MedalsWon medals;
    // Most first; ties by text.
    std::vector<WeaponKills> weapons;
    std::vector<LocationKills> locations;
    std::vector<MapTally> maps;
    std::vector<Opponent> victims;  // the five killed most, the player themselves left out
    std::vector<Opponent> nemeses;  // the five who killed the player most, self and world left out
    int32_t suicides = 0;           // kills with damage type MOD_SUICIDE
    int32_t worldDeaths = 0;        // deaths with an empty killer name
};

struct ServerWeapon {
    std::string weapon;
    int32_t kills = 0;
    int topPlayer = kNoPlayer;  // the row player with most kills by it, the earlier row on a tie
    int32_t topKills = 0;
};

struct SiteSummary {
    std::vector<PlayerSummary> players;           // in the order of the statistics rows
    std::vector<ServerWeapon> weapons;            // every kill event of the table, most first
    std::vector<MapTally> maps;                   // kills and distinct games per map, most kills first
    std::shared_ptr<const RatingReport> ratings;  // none with "ratings" off
};

// `rows` as the statistics gave them and `playerTable` as they left it: record n is rows[n],
// viewed in page order; its current record does not move. Without `withEventLists` only the
// rows' numbers, medals and file names are taken: the lists (weapons, maps, opponents, the
// server's tables) stay empty and the events are not read.
SiteSummary summarizeSite(const GameEvents& events, const std::vector<PlayerRow>& rows,
                          const RecordTable& playerTable, const MedalWinners& winners,
                          bool withEventLists = true);

}  // namespace gravmark
