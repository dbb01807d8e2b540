// The pruning of the games and the games played. A join event is removed when its name
// joined that game exactly once and made no kill there; counting joins and kills per
// (game, name) pair in one pass over the events decides every game at once.
#include <algorithm>
#include <bit>
#include <vector>

#include "stats/statistics.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = GameEvents::kNoText;

struct GameOfName {
    static constexpr uint64_t kFree = UINT64_MAX;  // no pair: its game would be -1
    uint64_t key = kFree;
    uint32_t joinEvent = 0;  // the join event's place, when there is exactly one (a list of
                             // 4 billion 60-byte events would not fit in memory)
    uint8_t joins = 0;       // 2 stands for any more
    bool killed = false;
};

uint64_t pairKey(int32_t game, uint32_t name) { return (uint64_t(uint32_t(game)) << 32) | name; }

// The (game, name) pairs in one array with open addressing: a node per pair, as a hash
// map makes, was a heap allocation and a free per pair, slow under Wine's heap, and the
// array's 16-byte entries touch fewer new pages than the nodes did.
class GamesOfNames {
public:
    GameOfName& operator[](uint64_t key) {
        if ((used_ + 1) * 2 > entries_.size()) grow();
        GameOfName& entry = slotOf(entries_, key);
        if (entry.key == GameOfName::kFree) {
            entry.key = key;
            ++used_;
        }
        return entry;
    }
    const std::vector<GameOfName>& entries() const { return entries_; }

private:
    static GameOfName& slotOf(std::vector<GameOfName>& table, uint64_t key) {
        const size_t mask = table.size() - 1;
        size_t at = (key * 0x9E3779B97F4A7C15ull) >> (64 - std::countr_zero(table.size()));
        while (table[at].key != GameOfName::kFree && table[at].key != key) at = (at + 1) & mask;
        return table[at];
    }

    void grow() {
        std::vector<GameOfName> fresh(std::max<size_t>(1024, entries_.size() * 2));
        for (const GameOfName& entry : entries_) {
            if (entry.key != GameOfName::kFree) slotOf(fresh, entry.key) = entry;
        }
        entries_.swap(fresh);
    }

    std::vector<GameOfName> entries_;
    size_t used_ = 0;
};

}  // namespace

void Statistics::pruneGamesAndCountPlayed(GameEvents& events, const std::vector<uint32_t>& rosterIds,
                                          int32_t gameCount) {
    std::vector<uint8_t> isRosterName(events.textCount(), 0);
    for (const uint32_t id : rosterIds) {
        if (id != kNull) isRosterName[id] = 1;
    }

    GamesOfNames games;
    for (size_t at = 0; at < events.list.size(); ++at) {
        const GameEvent& event = events.list[at];
        if (event.kind == EventKind::Other) continue;
        const uint32_t name = event.attackerName;
        if (!event.game || *event.game < 0 || *event.game > gameCount || name == kNull || !isRosterName[name])
            continue;
        if (event.kind == EventKind::Join) {
            GameOfName& entry = games[pairKey(*event.game, name)];
            if (entry.joins < 2) ++entry.joins;
            entry.joinEvent = static_cast<uint32_t>(at);
        } else {
            games[pairKey(*event.game, name)].killed = true;
        }
    }

    std::vector<uint8_t> unplayed(events.list.size(), 0);
    for (const GameOfName& entry : games.entries()) {
        if (entry.key != GameOfName::kFree && entry.joins == 1 && !entry.killed) unplayed[entry.joinEvent] = 1;
    }
    prunedJoins.clear();
    std::vector<int32_t> playedById(events.textCount(), 0);
    playedTotal = 0;
    size_t kept = 0;
    for (size_t at = 0; at < events.list.size(); ++at) {
        if (unplayed[at]) {
            prunedJoins.push_back(at);
            continue;
        }
        const GameEvent& event = events.list[at];
        if (event.kind == EventKind::Join) {
            ++playedTotal;
            if (event.attackerName != kNull) ++playedById[event.attackerName];
        }
        events.list[kept++] = event;
    }
    events.list.resize(kept);
    gamesPlayed.clear();
    for (const uint32_t id : rosterIds) gamesPlayed.push_back(id == kNull ? 0 : playedById[id]);
}

}  // namespace gravmark
