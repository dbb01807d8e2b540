#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLockFile>
#include <filesystem>

#include "fetch/fetch_lock.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using namespace std::chrono_literals;

// A process that dies holding the lock leaves its file behind; the next fetch takes it over.
TEST(FetchLock, ALockOfADeadProcessIsTakenOver) {
    test::TempFolder folder;

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
