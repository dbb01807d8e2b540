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

RatingInput ratingInputOf(const RecordTable& events, std::vector<std::string> players, int32_t gameCount) {
    RatingInput input;
    input.players = std::move(players);
    std::vector<int32_t> playerOfText(events.textIdCount(), kNotAPlayer);
    for (size_t p = 0; p < input.players.size(); ++p) {
        const uint32_t id = events.findTextId(input.players[p]);
        if (id != kNull) playerOfText[id] = int32_t(p);
    }
    const auto playerOf = [&](uint32_t id) { return id == kNull ? kNotAPlayer : playerOfText[id]; };
    const int command = events.fieldNumber(EventField::kCommand),
              attacker = events.fieldNumber(EventField::kAttackerName),
              victim = events.fieldNumber(EventField::kVictimName),
              attackerTeam = events.fieldNumber(EventField::kAttackerTeam),
              victimTeam = events.fieldNumber(EventField::kVictimTeam),
              map = events.fieldNumber(EventField::kMap), game = events.fieldNumber(EventField::kGame);
    const uint32_t kill = events.findTextId("K"), noTeam = events.findTextId("");
    std::vector<uint32_t> mapIds;
    input.gameCount = std::max(gameCount, 0);
    for (uint32_t record = 0, records = events.postedCount(); kill != kNull && record < records; ++record) {
        if (!events.isLive(record) || events.recordTextId(record, command) != kill) continue;
        RatedKill event;
        event.killer = playerOf(events.recordTextId(record, attacker));
        event.victim = playerOf(events.recordTextId(record, victim));
        if (event.killer == kNotAPlayer && event.victim == kNotAPlayer) continue;
        event.game = std::max(events.recordInteger(record, game).value_or(0), 0);
        const uint32_t team = events.recordTextId(record, attackerTeam);
        event.teamKill = team != kNull && team != noTeam && team == events.recordTextId(record, victimTeam);
        input.gameCount = std::max(input.gameCount, event.game);
        if (mapIds.size() <= size_t(event.game)) mapIds.resize(size_t(event.game) + 1, kNull);
        if (mapIds[size_t(event.game)] == kNull)
            mapIds[size_t(event.game)] = events.recordTextId(record, map);
        input.kills.push_back(event);
    }
    input.mapOfGame.resize(size_t(input.gameCount) + 1);
    for (size_t g = 0; g < mapIds.size(); ++g) {
        if (mapIds[g] != kNull) input.mapOfGame[g] = events.textOfId(mapIds[g]);
    }
    return input;
}

}  // namespace gravmark
