#pragma once
// The player roster and the per-player counters of a statistics run, taken from the event
// table `db` by filter and key-range counts. The main window owns one Statistics and calls
// the steps in this order: Removeduplicates, CountKills, Countdeaths, CountHeadShots,
// CountBombs, CountSuicides, DeleteGamesWithNoStat; then GetGamesPlayed per player.
//
// The roster is the distinct `a_name` values of `db`, one entry per exact spelling, ordered
// by RosterOrder (case ignored, the empty name first, spellings equal but for case by their
// bytes). Roster index i addresses slot i of every counter, and the counters grow with the
// roster.
//
// Views the steps leave `db` in: CountKills and Countdeaths their last filter, switched on;
// the key-range counters filtering off, no key range and the index field list of their last
// pass; DeleteGamesWithNoStat filtering off, no key range, index field list "command";
// GetGamesPlayed filtering off.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/progress.h"
#include "table/record_table.h"

namespace gravmark {

class Statistics {
public:
    std::vector<std::string> roster;  // the items of the merge window's ListBox1
    std::vector<int32_t> KillCounts, DeathCounts, HeadshotsGiven, HeadshotsTaken, TntKills, GrenadeKills,
        SuicideCounts;
    int32_t PlayedTotal = 0;

    void Removeduplicates(RecordTable& db, Progress& progress);
    // Kill events ("K") whose a_name is exactly the player's name, suicides included.
    void CountKills(RecordTable& db, Progress& progress);
    // Records whose v_name is exactly the player's name.
    void Countdeaths(RecordTable& db, Progress& progress);
    void CountHeadShots(RecordTable& db, Progress& progress);
    void CountBombs(RecordTable& db, Progress& progress);
    void CountSuicides(RecordTable& db, Progress& progress);
    // Deletes, for every game from 0 to GameCount, the join event of each roster player who
    // joined that game exactly once and made no kill in it; then counts the join events left
    // into PlayedTotal.
    void DeleteGamesWithNoStat(RecordTable& db, int32_t GameCount, Progress& progress);
    // Join events whose a_name is exactly `name`.
    static int32_t GetGamesPlayed(RecordTable& db, std::string_view name);

private:
    void countByFilter(RecordTable& db, Progress& progress, std::vector<int32_t>& counts,
                       const std::vector<FilterTerm>& extraTerms, const char* nameField);
    void countByKeyRange(RecordTable& db, Progress& progress, std::vector<int32_t>& counts,
                         const char* indexFields, const char* value);
};

}  // namespace gravmark
