#include "stats/player_table_orders.h"

#include <algorithm>

#include "table/player_table_fields.h"

namespace gravmark {

namespace {

std::string nameOfFirst(RecordTable& tempdb) {
    tempdb.first();
    return std::string(tempdb.textOf(PlayerField::kName));
}

// Every medal step starts from an order on another field, so one sort gives the ascending
// order and a second the descending one.
std::string highest(RecordTable& tempdb, std::string_view field) {
    sortByField(tempdb, field);
    sortByField(tempdb, field);
    return nameOfFirst(tempdb);
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

MedalWinners pickMedalWinners(RecordTable& tempdb) {
    MedalWinners winners;
    sortByField(tempdb, PlayerField::kRatio);
    winners.target = nameOfFirst(tempdb);
    winners.headshooter = highest(tempdb, PlayerField::kHeadshotsGiven);
    winners.shotInTheHead = highest(tempdb, PlayerField::kHeadshotsTaken);
    winners.tnt = highest(tempdb, PlayerField::kTntKills);
    winners.grenades = highest(tempdb, PlayerField::kGrenadeKills);
    winners.suicide = highest(tempdb, PlayerField::kSuicides);
    if (winners.suicide == "Known Soldier") {
        // With no record after it, the current record stays and so does the winner.
        tempdb.next();
        winners.suicide = std::string(tempdb.textOf(PlayerField::kName));
    }
    winners.killer = highest(tempdb, PlayerField::kKills);
    return winners;
}

}  // namespace gravmark
