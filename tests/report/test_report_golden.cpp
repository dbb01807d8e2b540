#include <gtest/gtest.h>

#include "loggen/log_generator.h"
#include "page_of_log.h"
#include "support/golden_file.h"
#include "support/real_logs.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

const std::string kExpected = GRAVMARK_REPORT_EXPECTED;

// The page of a log with both templates (see savePageOfLog).
std::string pageOfLog(const std::string& logPath) {
    test::TempFolder folder;
    test::writeFile(folder.file("head.txt"), "<html><head><title>Clan statistics</title></head>\n<body>\n");
    test::writeFile(folder.file("foot.txt"), "</body>\n</html>\n");

    test::savePageOfLog(logPath, folder);
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
