// The pruning of the games and the games played. A join event is deleted when its name
// joined that game exactly once and made no kill there; counting joins and kills per
// (game, name) pair in one pass over the events decides every game at once.
#include <unordered_map>

#include "stats/statistics.h"
#include "table/event_table.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = RecordTable::kNullTextId;

struct GameOfName {
    int32_t joins = 0;
    uint32_t joinRecord = 0;  // the join event, when there is exactly one
    bool killed = false;
};

uint64_t pairKey(int32_t game, uint32_t name) { return (uint64_t(uint32_t(game)) << 32) | name; }

}  // namespace

void Statistics::pruneGamesAndCountPlayed(RecordTable& events, const std::vector<uint32_t>& rosterIds,
                                          int32_t gameCount) {
    const int command = events.fieldNumber(EventField::kCommand),
              attacker = events.fieldNumber(EventField::kAttackerName),
              gameField = events.fieldNumber(EventField::kGame);
    const uint32_t join = events.findTextId("J"), kill = events.findTextId("K");
    std::vector<uint8_t> isRosterName(events.textIdCount(), 0);
    for (const uint32_t id : rosterIds) {
        if (id != kNull) isRosterName[id] = 1;
    }

    std::vector<uint32_t> joinRecords;
    std::unordered_map<uint64_t, GameOfName> games;
    for (uint32_t record = 0, records = events.postedCount(); record < records; ++record) {
        if (!events.isLive(record)) continue;
        const uint32_t what = events.recordTextId(record, command);
        if (what == kNull || (what != join && what != kill)) continue;
        if (what == join) joinRecords.push_back(record);
        const std::optional<int32_t> game = events.recordInteger(record, gameField);
        const uint32_t name = events.recordTextId(record, attacker);
        if (!game || *game < 0 || *game > gameCount || name == kNull || !isRosterName[name]) continue;
        if (what == join) {
            GameOfName& entry = games[pairKey(*game, name)];
            ++entry.joins;
            entry.joinRecord = record;
        } else {
            games[pairKey(*game, name)].killed = true;
        }
    }

    std::vector<uint32_t> unplayed;
    for (const auto& [key, entry] : games) {
        if (entry.joins == 1 && !entry.killed) unplayed.push_back(entry.joinRecord);
    }
    // No index to keep up while deleting: the order by command is built afresh afterwards.
    events.setIndexFieldNames("");
    events.deleteRecords(unplayed);

    std::vector<int32_t> playedById(events.textIdCount(), 0);
    playedTotal = 0;
    for (uint32_t record : joinRecords) {
        if (!events.isLive(record)) continue;
        ++playedTotal;
        const uint32_t name = events.recordTextId(record, attacker);
        if (name != kNull) ++playedById[name];
    }
    gamesPlayed.clear();
    for (const uint32_t id : rosterIds) gamesPlayed.push_back(id == kNull ? 0 : playedById[id]);
}

}  // namespace gravmark
