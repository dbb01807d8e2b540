#pragma once
// The player roster and the per-player counts of a statistics run over the event table
// `events`, taken in one pass over its records.
//
// The roster is the distinct `a_name` values of the view of `events`, one entry per exact spelling,
// ordered by RosterOrder (case ignored, the empty name first, spellings equal but for case
// by their bytes). Roster index i addresses slot i of every count.
//
// Counts are of exact names (identical bytes; a trailing * is not a wildcard here), over
// every record of `events` whatever its view:
//  - kills: records with command "K" and a_name = the name (suicides included);
//  - deaths: records with v_name = the name;
//  - headshots given / taken: a_name / v_name = the name and damage_location "head";
//  - TNT, grenade and suicide kills: a_name = the name and a_weapon "tnt_bomb_mp",
//    damage_type "MOD_GRENADE_SPLASH", damage_type "MOD_SUICIDE".
// Then the games are pruned: for every game from 0 to the game count, the join event of
// each roster name that joined it exactly once and made no kill in it is deleted from `events`.
// Games played (per name) and playedTotal (all names) count the join events left.
#include <cstdint>
#include <string>
#include <vector>

#include "common/progress.h"
#include "table/record_table.h"

namespace gravmark {

class Statistics {
public:
    std::vector<std::string> roster;  // the items of the merge window's left list
    std::vector<int32_t> killCounts, deathCounts, headshotsGiven, headshotsTaken, tntKills, grenadeKills,
        suicideCounts, gamesPlayed;
    int32_t playedTotal = 0;

    // The roster alone, for merging names first. Leaves the last record of `events` current, having
    // walked the view to its end.
    void removeDuplicates(RecordTable& events, Progress& progress);

    // The roster, every count, the pruning and the games played. Leaves events ordered by
    // command (that index built afresh), no filter switched on, no key range, the filter
    // text "a_name = '<last named roster entry>' AND command = 'J'" kept (with no named
    // entry: "v_name = '<last entry>'"), the first record current. That is the view earlier
    // releases left after counting player by player with filters and key ranges; the
    // "show db" grid shows it, so it stays.
    void count(RecordTable& events, int32_t gameCount, Progress& progress);

private:
    void countEvents(const RecordTable& events, const std::vector<uint32_t>& rosterIds, Progress& progress);
    void pruneGamesAndCountPlayed(RecordTable& events, const std::vector<uint32_t>& rosterIds,
                                  int32_t gameCount);
    void leaveCountingViews(RecordTable& events) const;
};

}  // namespace gravmark
