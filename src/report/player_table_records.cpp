#include "report/player_table_records.h"

#include "report/player_row_html.h"
#include "table/player_table_fields.h"

namespace gravmark {

namespace {

void addRecord(const PlayerRow& row, RecordTable& tempdb) {
    tempdb.insert();
    tempdb.setInteger(PlayerField::kDeaths, row.deaths);
    tempdb.setInteger(PlayerField::kKills, row.kills);
    tempdb.setText(PlayerField::kName, pageName(row.name));
    tempdb.setInteger(PlayerField::kHeadshotsGiven, row.headshotsGiven);
    tempdb.setInteger(PlayerField::kHeadshotsTaken, row.headshotsTaken);
    tempdb.setInteger(PlayerField::kGamesPlayed, row.gamesPlayed);
    tempdb.setText(PlayerField::kRow, playerRowHtml(row));
    tempdb.setFloat(PlayerField::kRatio, row.ratio);
    tempdb.setInteger(PlayerField::kTntKills, row.tntKills);
    tempdb.setInteger(PlayerField::kGrenadeKills, row.grenadeKills);
    tempdb.setInteger(PlayerField::kSuicides, row.suicides);
    tempdb.post();
}

}  // namespace

void fillPlayerTable(const std::vector<PlayerRow>& rows, RecordTable& tempdb, Progress& progress) {
    // Every run starts from the table the program's start gives: no records and no named
    // indexes, so the medal sorts build their indexes afresh and break ties as the first run did.
    tempdb.close();
    tempdb.createDataSet();
    progress.setPartsComplete(0);
    progress.setTotalParts(static_cast<int64_t>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        addRecord(rows[i], tempdb);
        progress.setPartsComplete(static_cast<int64_t>(i + 1));
    }
}

}  // namespace gravmark
