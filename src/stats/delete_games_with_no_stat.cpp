// The pruning step. Asking every roster name in every game would cost games x players
// key ranges; only the names that joined a game can lose a join event there, so each game
// visits just its own join events and asks the kill range of those names.
#include <unordered_map>
#include <unordered_set>

#include "stats/statistics.h"

namespace gravmark {

namespace {

using NameSet = std::unordered_set<std::string_view>;

// Roster names (exact text) with exactly one join event in the game.
std::vector<std::string> singleJoiners(RecordTable& db, int32_t game, const NameSet& players) {
    const std::vector<Value> joins{game, std::string("J")};
    db.setKeyRange(joins, joins);
    const int count = db.recordCount();
    std::unordered_map<std::string, int> joinsByName;
    db.first();
    for (int done = 0; done < count; ++done) {
        const std::string_view name = db.textOf("a_name");
        if (players.contains(name)) ++joinsByName[std::string(name)];
        db.next();
    }
    std::vector<std::string> names;
    for (const auto& [name, joined] : joinsByName) {
        if (joined == 1) names.push_back(name);
    }
    return names;
}

}  // namespace

void Statistics::DeleteGamesWithNoStat(RecordTable& db, int32_t GameCount, Progress& progress) {
    progress.setPartsComplete(0);
    progress.setTotalParts(GameCount);
    db.setFiltered(false);
    db.setIndexFieldNames("game;command;a_name");
    const NameSet players(roster.begin(), roster.end());
    for (int32_t game = 0; game <= GameCount; ++game) {
        for (const std::string& name : singleJoiners(db, game, players)) {
            const std::vector<Value> kills{game, std::string("K"), name};
            db.setKeyRange(kills, kills);
            if (db.recordCount() != 0) continue;
            const std::vector<Value> join{game, std::string("J"), name};
            db.setKeyRange(join, join);
            if (db.recordCount() == 1) db.deleteRecord();
        }
        db.clearKeyRange();
        progress.setPartsComplete(game);
    }
    db.setIndexFieldNames("command");
    const std::vector<Value> joins{std::string("J")};
    db.setKeyRange(joins, joins);
    PlayedTotal = db.recordCount();
    db.clearKeyRange();
    progress.setPartsComplete(progress.totalParts());
}

}  // namespace gravmark
