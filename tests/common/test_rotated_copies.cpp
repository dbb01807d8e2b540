#include <gtest/gtest.h>

#include "common/rotated_copies.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::writeFile;

TEST(RotatedCopies, DatedNamesNeverTakenTwiceAndListedOldestFirst) {
    test::TempFolder folder;
    const std::string log = folder.file("games_mp.log");
    const QDateTime noon(QDate(2026, 12, 9), QTime(12, 0, 5));
    const QDateTime earlier(QDate(2026, 11, 30), QTime(23, 59, 59));

    EXPECT_EQ(newRotatedCopyPath(log, noon), log + ".20261209-120005");
    for (int i = 0; i < 11; ++i) writeFile(newRotatedCopyPath(log, noon), std::to_string(i));
    EXPECT_EQ(newRotatedCopyPath(log, noon), log + ".20261209-120005-12");
    writeFile(newRotatedCopyPath(log, earlier), "earlier");

    // Neither the log, its part, its lock nor a look-alike is a kept copy.
    for (const char* other :
         {"games_mp.log", "games_mp.log.part", "games_mp.log.lock", "games_mp.log.2026-12-09",
          "games_mp.log.20261209-120005.bak", "other.log.20261209-120005"})
        writeFile(folder.file(other), "other");

    const std::vector<std::string> copies = rotatedCopies(log);
    ASSERT_EQ(copies.size(), 12u);
    EXPECT_EQ(test::readFile(copies[0]), "earlier");
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(test::readFile(copies[i + 1]), std::to_string(i)) << "-10 after -9";
}

}  // namespace
}  // namespace gravmark
