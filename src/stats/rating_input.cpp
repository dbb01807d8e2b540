#include "stats/rating_input.h"

#include <algorithm>

#include "table/event_table.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = RecordTable::kNullTextId;

}  // namespace

std::vector<std::string> namedPlayers(const std::vector<std::string>& roster) {
    std::vector<std::string> named;
    for (const std::string& name : roster) {
        if (!name.empty()) named.push_back(name);
    }
    return named;
}

RatingInput ratingInputOf(const RecordTable& db, std::vector<std::string> players, int32_t gameCount) {
    RatingInput input;
    input.players = std::move(players);
    std::vector<int32_t> playerOfText(db.textIdCount(), kNotAPlayer);
    for (size_t p = 0; p < input.players.size(); ++p) {
        const uint32_t id = db.findTextId(input.players[p]);
        if (id != kNull) playerOfText[id] = int32_t(p);
    }
    const auto playerOf = [&](uint32_t id) { return id == kNull ? kNotAPlayer : playerOfText[id]; };
    const int command = db.fieldNumber(EventField::kCommand),
              attacker = db.fieldNumber(EventField::kAttackerName),
              victim = db.fieldNumber(EventField::kVictimName),
              attackerTeam = db.fieldNumber(EventField::kAttackerTeam),
              victimTeam = db.fieldNumber(EventField::kVictimTeam), map = db.fieldNumber(EventField::kMap),
              game = db.fieldNumber(EventField::kGame);
    const uint32_t kill = db.findTextId("K"), noTeam = db.findTextId("");
    std::vector<uint32_t> mapIds;
    input.gameCount = std::max(gameCount, 0);
    for (uint32_t record = 0, records = db.postedCount(); kill != kNull && record < records; ++record) {
        if (!db.isLive(record) || db.recordTextId(record, command) != kill) continue;
        RatedKill event;
        event.killer = playerOf(db.recordTextId(record, attacker));
        event.victim = playerOf(db.recordTextId(record, victim));
        if (event.killer == kNotAPlayer && event.victim == kNotAPlayer) continue;
        event.game = std::max(db.recordInteger(record, game).value_or(0), 0);
        const uint32_t team = db.recordTextId(record, attackerTeam);
        event.teamKill = team != kNull && team != noTeam && team == db.recordTextId(record, victimTeam);
        input.gameCount = std::max(input.gameCount, event.game);
        if (mapIds.size() <= size_t(event.game)) mapIds.resize(size_t(event.game) + 1, kNull);
        if (mapIds[size_t(event.game)] == kNull) mapIds[size_t(event.game)] = db.recordTextId(record, map);
        input.kills.push_back(event);
    }
    input.mapOfGame.resize(size_t(input.gameCount) + 1);
    for (size_t g = 0; g < mapIds.size(); ++g) {
        if (mapIds[g] != kNull) input.mapOfGame[g] = db.textOfId(mapIds[g]);
    }
    return input;
}

}  // namespace gravmark
