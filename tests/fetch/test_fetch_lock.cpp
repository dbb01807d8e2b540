#include <gtest/gtest.h>

#include "common/error.h"
#include "fetch/fetch_lock.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using namespace std::chrono_literals;

TEST(FetchLock, OneFetchAtATimeInAFolder) {
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
}

}  // namespace
}  // namespace gravmark
