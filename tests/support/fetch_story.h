#pragma once
// The scheduled-fetch story every transport must pass against a real server: first fetch
// (cut mid-line, as a server mid-write); grown; nothing new (nothing transferred); rotated
// to a shorter log; rotated to a log already longer than the copy; the server killed
// once a first block of a large addition came in; fetched again. At every step the copy
// equals the server's log, and every rotated copy is kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "common/error.h"
#include "common/rotated_copies.h"
#include "support/temp_folder.h"
#include "transport/log_fetch.h"

namespace gravmark::test {

struct FetchStory {
    std::function<void(const std::string&)> publish;  // the server's log becomes this
    std::function<FetchOutcome()> fetch;
    std::function<void()> killServer;     // called during a transfer
    std::function<void()> afterKill = [] {};  // what it takes to serve again
    FetchNotifications* notifications;
    std::string localLog;  // the copy's path
};

inline void runFetchStory(const FetchStory& story, const std::string& log) {
    const auto copy = [&] { return readFile(story.localLog); };
    story.publish(log.substr(0, 300'001));
    EXPECT_EQ(story.fetch(), FetchOutcome::Replaced);
    EXPECT_TRUE(copy() == log.substr(0, 300'001));

    story.publish(log.substr(0, 900'000));
    EXPECT_EQ(story.fetch(), FetchOutcome::Appended);
    EXPECT_TRUE(copy() == log.substr(0, 900'000));

    int transfers = 0;
    story.notifications->onWorkBegin = [&](int64_t) { ++transfers; };
    EXPECT_EQ(story.fetch(), FetchOutcome::UpToDate);
    EXPECT_EQ(transfers, 0) << "nothing new is nothing transferred";
    story.notifications->onWorkBegin = {};

    const std::string shorter = log.substr(900'000, 100'000);
    story.publish(shorter);
    EXPECT_EQ(story.fetch(), FetchOutcome::Replaced);
    EXPECT_TRUE(copy() == shorter);

    const std::string longer = log.substr(100'000, 400'000);
    story.publish(longer);
    EXPECT_EQ(story.fetch(), FetchOutcome::Replaced);
    EXPECT_TRUE(copy() == longer);

    std::string grown = longer;
    while (grown.size() < 30'000'000) grown += log;
    story.publish(grown);
    story.notifications->onWork = [&](int64_t received) {
        if (received > 0) story.killServer();
    };
    try {
        story.fetch();
        ADD_FAILURE() << "the fetch went on after the server was killed";
    } catch (const Error& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("The server closed the connection after "))
            << error.what();
    }
    story.notifications->onWork = {};
    EXPECT_TRUE(grown.starts_with(copy())) << "only verified bytes were appended";
    story.afterKill();
    EXPECT_EQ(story.fetch(), FetchOutcome::Appended);
    EXPECT_TRUE(copy() == grown);

    const auto copies = rotatedCopies(story.localLog);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_TRUE(readFile(copies[0]) == log.substr(0, 900'000));
    EXPECT_TRUE(readFile(copies[1]) == shorter);
    EXPECT_FALSE(std::filesystem::exists(story.localLog + ".part"));
}

}  // namespace gravmark::test
