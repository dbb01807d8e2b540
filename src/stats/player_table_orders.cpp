#include "stats/player_table_orders.h"

#include <algorithm>

#include "table/player_table_fields.h"

namespace gravmark {

namespace {

std::string nameOfFirst(RecordTable& playerTable) {
    playerTable.first();
    return std::string(playerTable.textOf(PlayerField::kName));
}

// Every medal step starts from an order on another field, so one sort gives the ascending
// order and a second the descending one.
std::string highest(RecordTable& playerTable, std::string_view field) {
    sortByField(playerTable, field);
    sortByField(playerTable, field);
    return nameOfFirst(playerTable);
}

}  // namespace

bool sortByField(RecordTable& table, std::string_view fieldName) {
    if (!table.hasField(fieldName)) return false;
    const std::string field(fieldName);
    const bool descending = table.indexName() == field + "__IdxA";
    const std::string name = field + (descending ? "__IdxD" : "__IdxA");
    const auto& defs = table.indexDefs();
    if (std::none_of(defs.begin(), defs.end(), [&name](const IndexDef& def) { return def.name == name; })) {
        table.addIndex(name, field, descending);
    }
    table.setIndexName(name);
    return true;
}

MedalWinners pickMedalWinners(RecordTable& playerTable) {
    MedalWinners winners;
    sortByField(playerTable, PlayerField::kRatio);
    winners.target = nameOfFirst(playerTable);
    winners.headshooter = highest(playerTable, PlayerField::kHeadshotsGiven);
    winners.shotInTheHead = highest(playerTable, PlayerField::kHeadshotsTaken);
    winners.tnt = highest(playerTable, PlayerField::kTntKills);
    winners.grenades = highest(playerTable, PlayerField::kGrenadeKills);
    winners.suicide = highest(playerTable, PlayerField::kSuicides);
    if (winners.suicide == "Known Soldier") {
        // With no record after it, the current record stays and so does the winner.
        playerTable.next();
        winners.suicide = std::string(playerTable.textOf(PlayerField::kName));
    }
    winners.killer = highest(playerTable, PlayerField::kKills);
    return winners;
}

}  // namespace gravmark
