#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

#include "common/error.h"
#include "fetch/fetch_lock.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using namespace std::chrono_literals;

TEST(FetchLock, OneFetchAtATimeAndALockOfADeadProcessIsTakenOver) {
    test::TempFolder folder;
    {
        FetchLock first(folder.folder(), 0ms);
        try {
            FetchLock second(folder.folder(), 300ms);
            ADD_FAILURE() << "a second fetch in the same folder went ahead";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "Another Gravmark Parser is fetching the log in this folder.");
        }
        test::TempFolder other;
        EXPECT_NO_THROW(FetchLock elsewhere(other.folder(), 0ms)) << "another folder has its own lock";
    }
    EXPECT_NO_THROW(FetchLock again(folder.folder(), 0ms)) << "released when the first fetch ended";

    // A process that dies holding the lock leaves its file behind.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile held(QString::fromStdString(folder.folder() + "games_mp.log.lock"));
        _exit(held.tryLock() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(std::filesystem::exists(folder.file("games_mp.log.lock")));
    EXPECT_NO_THROW(FetchLock taken(folder.folder(), 5s));
}

}  // namespace
}  // namespace gravmark
