#include "stats/rating_input.h"

#include <algorithm>

namespace gravmark {

namespace {

constexpr uint32_t kNull = GameEvents::kNoText;

}  // namespace

std::vector<std::string> namedPlayers(const std::vector<std::string>& roster) {
    std::vector<std::string> named;
    for (const std::string& name : roster) {
        if (!name.empty()) named.push_back(name);
    }
    return named;
}

RatingInput ratingInputOf(const GameEvents& events, std::vector<std::string> players, int32_t gameCount) {
    RatingInput input;
    input.players = std::move(players);
    std::vector<int32_t> playerOfText(events.textCount(), kNotAPlayer);
    for (size_t p = 0; p < input.players.size(); ++p) {
        const uint32_t id = events.find(input.players[p]);
        if (id != kNull) playerOfText[id] = int32_t(p);
    }
    const auto playerOf = [&](uint32_t id) { return id == kNull ? kNotAPlayer : playerOfText[id]; };
    const uint32_t noTeam = events.find("");
    std::vector<uint32_t> mapIds;
    input.gameCount = std::max(gameCount, 0);
    // From the log's last event back: the order the kills have always been rated in.
    for (auto it = events.list.rbegin(); it != events.list.rend(); ++it) {
        const GameEvent& record = *it;
        if (record.kind != EventKind::Kill) continue;
        RatedKill event;
        event.killer = playerOf(record.attackerName);
        event.victim = playerOf(record.victimName);
        if (event.killer == kNotAPlayer && event.victim == kNotAPlayer) continue;
        event.game = std::max(record.game.value_or(0), 0);
        const uint32_t team = record.attackerTeam;
        event.teamKill = team != kNull && team != noTeam && team == record.victimTeam;
        input.gameCount = std::max(input.gameCount, event.game);
        if (mapIds.size() <= size_t(event.game)) mapIds.resize(size_t(event.game) + 1, kNull);
        if (mapIds[size_t(event.game)] == kNull) mapIds[size_t(event.game)] = record.map;
        input.kills.push_back(event);
    }
    input.mapOfGame.resize(size_t(input.gameCount) + 1);
    for (size_t g = 0; g < mapIds.size(); ++g) {
        if (mapIds[g] != kNull) input.mapOfGame[g] = events.text(mapIds[g]);
    }
    return input;
}

}  // namespace gravmark
