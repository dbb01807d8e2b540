#pragma once
// The player roster and the per-player counts of a statistics run over the events, taken in
// one pass over them.
//
// The roster is the distinct attacker names of the events, one entry per exact spelling
// (a join or kill without one reads as the empty name),
// ordered by RosterOrder (case ignored, the empty name first, spellings equal but for case
// by their bytes). Roster index i addresses slot i of every count.
//
// Counts are of exact names (identical bytes; a trailing * is not a wildcard here), over
// every event:
//  - kills: kill events whose attacker is the name (suicides included);
//  - deaths: events whose victim is the name;
//  - headshots given / taken: attacker / victim is the name and the hit location "head";
//  - TNT, grenade and suicide kills: attacker is the name and the weapon "tnt_bomb_mp",
//    the damage type "MOD_GRENADE_SPLASH", the damage type "MOD_SUICIDE".
// Then the games are pruned: for every game from 0 to the game count, the join event of
// each roster name that joined it exactly once and made no kill in it is removed from the
// events. Games played (per name) and playedTotal (all names) count the join events left.
#include <cstdint>
#include <string>
#include <vector>

#include "common/progress.h"
#include "table/game_events.h"

namespace gravmark {

class Statistics {
public:
    std::vector<std::string> roster;  // the items of the merge window's left list
    std::vector<int32_t> killCounts, deathCounts, headshotsGiven, headshotsTaken, tntKills, grenadeKills,
        suicideCounts, gamesPlayed;
    int32_t playedTotal = 0;
    // The places the pruned join events had in events.list, ascending; they are no longer there.
    std::vector<size_t> prunedJoins;

    // The roster alone, for merging names first.
    void removeDuplicates(const GameEvents& events, Progress& progress);

    // The roster, every count, the pruning and the games played.
    void count(GameEvents& events, int32_t gameCount, Progress& progress);

private:
    void countEvents(const GameEvents& events, const std::vector<uint32_t>& rosterIds, Progress& progress);
    void pruneGamesAndCountPlayed(GameEvents& events, const std::vector<uint32_t>& rosterIds,
                                  int32_t gameCount);
};

}  // namespace gravmark
