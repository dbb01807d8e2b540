#include <gtest/gtest.h>

#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "loggen/log_generator.h"
#include "report/build_page.h"
#include "report/save_page.h"
#include "stats/run_statistics.h"
#include "support/golden_file.h"
#include "support/real_logs.h"
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

const std::string kExpected = GRAVMARK_REPORT_EXPECTED;

// A log from LOAD to the saved page, with a fixed time, every medal ticked, both
// templates, and the en_US locale of the test main.
std::string pageOfLog(const std::string& logPath) {
    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    test::writeFile(folder.file("head.txt"), "<html><head><title>Clan statistics</title></head>\n<body>\n");
    test::writeFile(folder.file("foot.txt"), "</body>\n</html>\n");

    TextBoxLines memo1, memo2;
    Progress progress;
    const int32_t LineCount =
        loadLog(logPath, memo1, progress);

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

    return test::readFile(folder.file("index.html"));
}

TEST(ReportGolden, SmallRealLogGivesTheStoredPage) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    EXPECT_TRUE(test::matchesExpectedFile(kExpected + "/server-small-100.index.html",
                                          pageOfLog(GRAVMARK_REAL_LOGS "/server-small-100.log")));
}

// The generated log is stored beside its page, so a clone alone checks a whole page; the
// generator must still make it byte for byte from its seed.
TEST(ReportGolden, GeneratedLogGivesTheStoredPage) {
    const std::string log = kExpected + "/generated-seed-7.log";
    const loggen::LogShape shape{.lines = 800, .seed = 7, .players = 14, .linesPerGame = 160};
    ASSERT_TRUE(test::matchesExpectedFile(log, loggen::generateLog(shape)));
    EXPECT_TRUE(test::matchesExpectedFile(kExpected + "/generated-seed-7.index.html", pageOfLog(log)));
}

}  // namespace
}  // namespace gravmark
