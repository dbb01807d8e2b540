#include "report/player_table_records.h"

#include "table/player_table_fields.h"

namespace gravmark {

namespace {

void addRecord(const PlayerRow& row, const PlayerRowHtml& html, RecordTable& playerTable) {
    playerTable.insert();
    playerTable.setInteger(PlayerField::kDeaths, row.deaths);
    playerTable.setInteger(PlayerField::kKills, row.kills);
    playerTable.setText(PlayerField::kName, html.name);
    playerTable.setInteger(PlayerField::kHeadshotsGiven, row.headshotsGiven);
    playerTable.setInteger(PlayerField::kHeadshotsTaken, row.headshotsTaken);
    playerTable.setInteger(PlayerField::kGamesPlayed, row.gamesPlayed);
    playerTable.setText(PlayerField::kRow, html.whole());
    playerTable.setFloat(PlayerField::kRatio, row.ratio);
    playerTable.setInteger(PlayerField::kTntKills, row.tntKills);
    playerTable.setInteger(PlayerField::kGrenadeKills, row.grenadeKills);
    playerTable.setInteger(PlayerField::kSuicides, row.suicides);
    playerTable.post();
}

}  // namespace

std::vector<PlayerRowHtml> fillPlayerTable(const std::vector<PlayerRow>& rows, RecordTable& playerTable,
                                           Progress& progress) {
    // Every run starts from the table the program's start gives: no records and no named
    // indexes, so the medal sorts build their indexes afresh and break ties as the first run did.
    playerTable.close();
    playerTable.createDataSet();
    progress.setPartsComplete(0);
    progress.setTotalParts(static_cast<int64_t>(rows.size()));
    std::vector<PlayerRowHtml> rowsHtml;
    rowsHtml.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        addRecord(rows[i], rowsHtml.emplace_back(playerRowHtml(rows[i])), playerTable);
        progress.setPartsComplete(static_cast<int64_t>(i + 1));
    }
    return rowsHtml;
}

}  // namespace gravmark
