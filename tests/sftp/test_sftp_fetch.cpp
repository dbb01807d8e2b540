// The scheduled-fetch story over SFTP against OpenSSH's sshd on loopback, through the same
// fetch as the window and the batch use, comparing the local copy byte for byte.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "common/error.h"
#include "common/program_folder.h"
#include "fetch/log_fetch.h"
#include "common/rotated_copies.h"
#include "ssh_test_servers.h"
#include "support/story_log.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using namespace std::chrono_literals;
using test::readFile;
using test::TempFolder;
using test::writeFile;

class SftpFetch : public testing::Test {
protected:
    void SetUp() override {
        if (const auto missing = test::sshdMissing()) GTEST_SKIP() << *missing;
        sshd = std::make_unique<test::Sshd>();
        setProgramFolder(local.folder());
        settings.protocol = "sftp";
        settings.server = "[::1]:" + std::to_string(sshd->port());
        settings.user = sshd->user();
        settings.keyfile = sshd->clientKey();
        settings.logfile = remotePath;
        prompts.trustNewHostKey = [](const std::string&, const std::string&) { return true; };
    }
    FetchOutcome fetch() {
        return fetchLogFile(settings, local.folder(), notifications, {}, {10s, 10s, 10s, 10s}, prompts).outcome;
    }
    void publish(const std::string& content) { writeFile(remotePath, content); }
    std::string copy() const { return readFile(local.file("games_mp.log")); }

    std::unique_ptr<test::Sshd> sshd;
    TempFolder serverRoot;
    TempFolder local;
    std::string remotePath = serverRoot.file("games_mp.log");
    SettingsValues settings;
    FetchNotifications notifications;
    SftpPrompts prompts;
};

// First fetch; grown; nothing new; rotated to a shorter log; rotated to a log already
// longer than the copy; the server's session killed mid-transfer; fetched again.
TEST_F(SftpFetch, ScheduledFetchesKeepTheCopyEqualToTheServersLog) {
    const std::string log = test::storyLog();
    publish(log.substr(0, 300'001));  // mid-line, as a game server mid-write
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_TRUE(copy() == log.substr(0, 300'001));

    publish(log.substr(0, 900'000));
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_TRUE(copy() == log.substr(0, 900'000));

    int transfers = 0;
    notifications.onWorkBegin = [&](int64_t) { ++transfers; };
    EXPECT_EQ(fetch(), FetchOutcome::UpToDate);
    EXPECT_EQ(transfers, 0) << "nothing new is nothing transferred";
    notifications.onWorkBegin = {};

    const std::string shorter = log.substr(900'000, 100'000);
    publish(shorter);
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_TRUE(copy() == shorter);

    const std::string longer = log.substr(100'000, 400'000);
    publish(longer);
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_TRUE(copy() == longer);

    std::string grown = longer;
    while (grown.size() < 30'000'000) grown += log;
    publish(grown);
    notifications.onWork = [&](int64_t received) {
        if (received > 0) sshd->signalSessions(SIGKILL);
    };
    try {
        fetch();
        ADD_FAILURE() << "the fetch went on after the server was killed";
    } catch (const Error& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("The server closed the connection after "))
            << error.what();
    }
    notifications.onWork = {};
    const std::string partial = copy();
    EXPECT_TRUE(grown.starts_with(partial)) << "only verified bytes were appended";
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_TRUE(copy() == grown);

    const auto copies = rotatedCopies(local.file("games_mp.log"));
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_TRUE(readFile(copies[0]) == log.substr(0, 900'000));
    EXPECT_TRUE(readFile(copies[1]) == shorter);
    EXPECT_FALSE(std::filesystem::exists(local.file("games_mp.log.part")));
}

TEST_F(SftpFetch, AFailedLoginOrAMissingLogLeavesTheCopyAsItWas) {
    writeFile(local.file("games_mp.log"), "0:00 InitGame\n");
    settings.logfile = serverRoot.file("nothing.log");
    EXPECT_THROW(fetch(), Error);
    settings.logfile = remotePath;
    publish("0:00 InitGame\n0:01 more\n");
    settings.keyfile = kNotConfigured;
    EXPECT_THROW(fetch(), Error);
    EXPECT_EQ(copy(), "0:00 InitGame\n");
    EXPECT_FALSE(std::filesystem::exists(local.file("games_mp.log.part")));
}

}  // namespace
}  // namespace gravmark
