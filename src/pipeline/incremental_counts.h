#pragma once
// The statistics of a watched log counted on from the page before: the counts of every
// game that has ended are kept per player name, so a page reads only the events of the
// games since, and of the game still going on (which is counted afresh each time).
//
// The result is what renaming the events by `renames` and Statistics::count over them
// give (roster, every count, the pruning of games, games played), which is possible
// because every count is a sum over events and the pruning is decided per game and name:
// a game that has ended keeps its decision. Other renames than those counted with before,
// or a log read again from its start, count every event afresh.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "names/name_renames.h"
#include "pipeline/incremental_log.h"
#include "stats/statistics.h"

namespace gravmark {

class IncrementalCounts {
public:
    // Fills `stats` (its roster, counts, games played and playedTotal) for the events of
    // `log` renamed by `renames`; returns the number of events the renames change.
    int countOn(const IncrementalLog& log, const NameRenames& renames, Statistics& stats);

private:
    struct Tally {
        int32_t kills = 0, deaths = 0, given = 0, taken = 0, tnt = 0, grenades = 0, suicides = 0, played = 0;
        bool rostered = false;  // the name stands as attacker or joiner somewhere
    };
    struct Tallies {
        std::vector<Tally> byName;
        int32_t playedTotal = 0;
        int eventsRenamed = 0;
    };
    struct TextIds;

    void startAgain(const IncrementalLog& log, const NameRenames& renames);
    int nameOf(const GameEvents& events, uint32_t textId);
    // Counts the events [from, to) into `tallies`; games are decided at each change of game
    // and at `to`, so the range must end where a game ends.
    void count(const GameEvents& events, const TextIds& ids, size_t from, size_t to, Tallies& tallies);
    void fill(const Tallies& tallies, Statistics& stats) const;

    uint64_t generation_ = UINT64_MAX;
    NameRenames renames_;
    std::vector<int32_t> nameOfText_;   // by text id of the events: the index of its final name, or -1
    std::vector<uint8_t> renamedText_;  // by text id: the renames change it
    std::vector<std::string> names_;
    std::unordered_map<std::string, int32_t> nameIndex_;
    Tallies ended_;           // the games before the first event not yet counted for good
    size_t endedEvents_ = 0;  // events [0, endedEvents_) are in ended_
};

}  // namespace gravmark
