// The scheduled-fetch story over SFTP against OpenSSH's sshd on loopback, through the same
// fetch as the window and the batch use, comparing the local copy byte for byte.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "common/error.h"
#include "common/program_folder.h"
#include "ssh_test_servers.h"
#include "support/fetch_story.h"
#include "support/story_log.h"
#include "support/temp_folder.h"
#include "transport/log_fetch.h"

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
        settings.keyFile = sshd->clientKey();
        settings.logFile = remotePath;
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

// The server's sessions are killed mid-transfer; sshd itself goes on serving.
TEST_F(SftpFetch, ScheduledFetchesKeepTheCopyEqualToTheServersLog) {
    test::runFetchStory({[this](const std::string& log) { publish(log); }, [this] { return fetch(); },
                         [this] { sshd->signalSessions(SIGKILL); }, [] {}, &notifications,
                         local.file("games_mp.log")},
                        test::storyLog());
}

TEST_F(SftpFetch, AFailedLoginOrAMissingLogLeavesTheCopyAsItWas) {
    writeFile(local.file("games_mp.log"), "0:00 InitGame\n");
    settings.logFile = serverRoot.file("nothing.log");
    EXPECT_THROW(fetch(), Error);
    settings.logFile = remotePath;
    publish("0:00 InitGame\n0:01 more\n");
    settings.keyFile = kNotConfigured;
    EXPECT_THROW(fetch(), Error);
    EXPECT_EQ(copy(), "0:00 InitGame\n");
    EXPECT_FALSE(std::filesystem::exists(local.file("games_mp.log.part")));
}

}  // namespace
}  // namespace gravmark
