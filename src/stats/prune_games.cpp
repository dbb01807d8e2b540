// The pruning of the games and the games played. A join event is removed when its name
// joined that game exactly once and made no kill there; counting joins and kills per
// (game, name) pair in one pass over the events decides every game at once.
#include <unordered_map>

#include "stats/statistics.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = GameEvents::kNoText;

struct GameOfName {
    int32_t joins = 0;
    size_t joinEvent = 0;  // the join event's place, when there is exactly one
    bool killed = false;
};

uint64_t pairKey(int32_t game, uint32_t name) { return (uint64_t(uint32_t(game)) << 32) | name; }

}  // namespace

void Statistics::pruneGamesAndCountPlayed(GameEvents& events, const std::vector<uint32_t>& rosterIds,
                                          int32_t gameCount) {
    std::vector<uint8_t> isRosterName(events.textCount(), 0);
    for (const uint32_t id : rosterIds) {
        if (id != kNull) isRosterName[id] = 1;
    }

    std::unordered_map<uint64_t, GameOfName> games;
    for (size_t at = 0; at < events.list.size(); ++at) {
        const GameEvent& event = events.list[at];
        if (event.kind == EventKind::Other) continue;
        const uint32_t name = event.attackerName;
        if (!event.game || *event.game < 0 || *event.game > gameCount || name == kNull || !isRosterName[name])
            continue;
        if (event.kind == EventKind::Join) {
            GameOfName& entry = games[pairKey(*event.game, name)];
            ++entry.joins;
            entry.joinEvent = at;
        } else {
            games[pairKey(*event.game, name)].killed = true;
        }
    }

    std::vector<uint8_t> unplayed(events.list.size(), 0);
    for (const auto& [key, entry] : games) {
        if (entry.joins == 1 && !entry.killed) unplayed[entry.joinEvent] = 1;
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
