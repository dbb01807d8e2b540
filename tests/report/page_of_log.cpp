#include "page_of_log.h"

#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "report/build_page.h"
#include "report/save_page.h"
#include "stats/run_statistics.h"
#include "support/scripted_dialogs.h"
#include "table/event_table.h"
#include "table/player_table_fields.h"

namespace gravmark::test {

namespace {

void createTable(RecordTable& table, std::vector<FieldDef> fields, const std::string& file) {
    table.setFieldDefs(std::move(fields));
    table.setFileName(file);
    table.createDataSet();
}

}  // namespace

void savePageOfLog(const std::string& logFile, const TempFolder& folder) {
    ScriptedDialogs dialogs;
    TextBoxLines memo1, memo2;
    Progress progress;
    const int32_t LineCount = loadLog(logFile, memo1, progress);

    RecordTable db, tempdb;
    createTable(db, eventTableFields(), folder.file("lijst.xml"));
    createTable(tempdb, playerTableFields(), folder.file("temp.xml"));
    int32_t GameCount = 0;
    parseLog(memo1, db, false, memo2, progress, GameCount);

    Statistics stats;
    const MedalWinners winners = runStatistics(stats, db, tempdb, GameCount, progress);

    const PageInputs inputs{folder.folder(),
                            QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5), Qt::UTC),
                            LineCount,
                            stats.playedTotal,
                            {true, true, true, true, true, true, true},
                            winners,
                            tempdb};
    buildPage(inputs, memo1, memo2);
    bool pageFinished = false;
    savePage(memo1, memo2, pageFinished, true, folder.path().string(), "1.0.2.11");
}

}  // namespace gravmark::test
