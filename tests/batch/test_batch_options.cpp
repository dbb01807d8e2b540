#include <gtest/gtest.h>

#include "batch/batch_options.h"
#include "common/error.h"

namespace gravmark {
namespace {

TEST(BatchOptions, EveryOptionIsTaken) {
    const BatchOptions options =
        parseBatchOptions({"--folder", "/srv/clan", "--fetch", "--out", "page.html", "--now",
                           "2026-12-09 14:30:05", "--quiet", "--trust", "SHA256:ab"});
    EXPECT_EQ(options.folder, "/srv/clan");
    EXPECT_TRUE(options.fetch);
    EXPECT_EQ(options.out, "page.html");
    ASSERT_TRUE(options.now);
    EXPECT_EQ(*options.now, QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5)));
    EXPECT_EQ(options.now->timeSpec(), Qt::LocalTime);
    EXPECT_TRUE(options.quiet);
    EXPECT_EQ(options.trust, "SHA256:ab");
    EXPECT_FALSE(options.help);

    const BatchOptions none = parseBatchOptions({});
    EXPECT_FALSE(none.folder || none.out || none.now || none.fetch || none.quiet || none.trust);
    EXPECT_TRUE(parseBatchOptions({"--help"}).help);
}

TEST(BatchOptions, UsageErrors) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"--out"},
                                               {"--fetch", "--trust"},
                                               {"--now", "2026-12-09"},
                                               {"--now", "09-12-2026 14:30:05"},
                                               {"--now", "2026-13-09 14:30:05"},
                                               {"--now", "2026-12-09 25:00:00"},
                                               {"page.html"}}) {
        EXPECT_THROW(parseBatchOptions(arguments), Error) << arguments.front();
    }
}

}  // namespace
}  // namespace gravmark
