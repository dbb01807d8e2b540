#include <gtest/gtest.h>

#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "report/build_page.h"
#include "report/save_page.h"
#include "stats/run_statistics.h"
#include "support/golden_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "table/event_table.h"
#include "table/player_table_fields.h"

namespace gravmark {
namespace {

void createTable(RecordTable& table, std::vector<FieldDef> fields, const std::string& file) {
    table.setFieldDefs(std::move(fields));
    table.setFileName(file);
    table.createDataSet();
}

// The small real log from LOAD to the saved page, with a fixed time, every medal ticked,
// both templates, and the en_US locale of the test main.
TEST(ReportGolden, SmallRealLogGivesTheStoredPage) {
    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    test::writeFile(folder.file("head.txt"), "<html><head><title>Clan statistics</title></head>\n<body>\n");
    test::writeFile(folder.file("foot.txt"), "</body>\n</html>\n");

    TextBoxLines memo1, memo2;
    Progress progress;
    const int32_t LineCount =
        loadLog(std::string(GRAVMARK_REAL_LOGS) + "/server-small-100.log", memo1, progress);

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
                            stats.PlayedTotal,
                            {true, true, true, true, true, true, true},
                            winners,
                            tempdb};
    buildPage(inputs, memo1, memo2);
    bool pageFinished = false;
    savePage(memo1, memo2, pageFinished, true, folder.path().string(), "1.0.2.11");

    EXPECT_TRUE(
        test::matchesExpectedFile(std::string(GRAVMARK_REPORT_EXPECTED) + "/server-small-100.index.html",
                                  test::readFile(folder.file("index.html"))));
}

}  // namespace
}  // namespace gravmark
