#include "stats/player_table.h"

#include <algorithm>

#include "stats/colour_codes.h"
#include "stats/html_escape.h"
#include "stats/number_format.h"
#include "table/player_table_fields.h"

namespace gravmark {

namespace {

std::string rowText(int32_t kills, const std::string& name, int32_t deaths, int32_t played,
                    double killsPerGame, double ratio) {
    return "<tr><td>" + std::to_string(kills) + "</td><td>" + name + "</td><td>" + std::to_string(deaths) +
           "</td><td>" + std::to_string(played) + "</td><td>" + formatKillsPerGame(killsPerGame) +
           "</td><td>" + formatRatio(ratio) + "</td></tr>";
}

void addPlayer(const Statistics& stats, size_t i, RecordTable& tempdb) {
    const std::string& player = stats.roster[i];
    const int32_t played = std::max(stats.gamesPlayed[i], 1);
    const int32_t kills = stats.killCounts[i];
    const int32_t deaths = stats.deathCounts[i];
    const double killsPerGame = kills >= 1 ? static_cast<double>(kills) / played : 0.0;
    const double ratio = kills >= 1 && deaths >= 1 ? static_cast<double>(kills) / deaths : 999.0;
    // The name is at most the event table's 40 characters; escaped and coloured whole, so
    // every entity and tag of the name and of its row stays whole.
    const std::string name = replaceColourCodes(htmlEscape(player));
    const std::string row = rowText(kills, name, deaths, played, killsPerGame, ratio);

    tempdb.insert();
    tempdb.setInteger(PlayerField::kDeaths, deaths);
    tempdb.setInteger(PlayerField::kKills, kills);
    tempdb.setText(PlayerField::kName, name);
    tempdb.setInteger(PlayerField::kHeadshotsGiven, stats.headshotsGiven[i]);
    tempdb.setInteger(PlayerField::kHeadshotsTaken, stats.headshotsTaken[i]);
    tempdb.setInteger(PlayerField::kGamesPlayed, played);
    tempdb.setText(PlayerField::kRow, row);
    tempdb.setFloat(PlayerField::kRatio, ratio);
    tempdb.setInteger(PlayerField::kTntKills, stats.tntKills[i]);
    tempdb.setInteger(PlayerField::kGrenadeKills, stats.grenadeKills[i]);
    tempdb.setInteger(PlayerField::kSuicides, stats.suicideCounts[i]);
    tempdb.post();
}

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

void fillPlayerTable(const Statistics& stats, RecordTable& tempdb, Progress& progress) {
    // Every run starts from the table the program's start gives: no records and no named
    // indexes, so the medal sorts build their indexes afresh and break ties as the first run did.
    tempdb.close();
    tempdb.createDataSet();
    progress.setPartsComplete(0);
    progress.setTotalParts(std::max<int64_t>(static_cast<int64_t>(stats.roster.size()) - 1, 0));
    for (size_t i = 0; i < stats.roster.size(); ++i) {
        // Events without an attacker give the empty name; it is nobody's row.
        if (!stats.roster[i].empty()) addPlayer(stats, i, tempdb);
        progress.setPartsComplete(static_cast<int64_t>(i));
    }
    progress.setPartsComplete(progress.totalParts());
}

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
