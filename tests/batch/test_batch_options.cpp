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

TEST(BatchOptions, WatchAndServers) {
    const BatchOptions watch = parseBatchOptions({"--watch", "--server", "tdm=/srv/tdm", "--server", "sd-2=sd"});
    EXPECT_EQ(watch.watchSeconds, kDefaultWatchSeconds);
    ASSERT_EQ(watch.servers.size(), 2u);
    EXPECT_EQ(watch.servers[1].name, "sd-2");
    EXPECT_EQ(watch.servers[1].folder, "sd");
    EXPECT_EQ(parseBatchOptions({"--watch", "5", "--quiet"}).watchSeconds, 5);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--watch", "0"}, {"--watch", "86401"}, {"--server", "tdm"}, {"--server", "=/srv"},
             {"--server", "t/d=/srv"}, {"--server", "tdm="}, {"--server", "a=x", "--server", "a=y"}}) {
        EXPECT_THROW(parseBatchOptions(arguments), Error) << arguments[1];
    }
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
