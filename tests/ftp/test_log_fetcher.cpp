// The fetch against a scripted server on loopback: the exact command sequence, the local
// file, the notifications and the failures.
#include <gtest/gtest.h>

#include <QTcpServer>

#include "common/error.h"
#include "ftp/log_fetcher.h"
#include "scripted_ftp_server.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using namespace std::chrono_literals;
using test::readFile;
using test::ScriptedFtpServer;
using test::writeFile;
using Commands = std::vector<std::string>;

// Bytes of every value, line breaks of every kind and a NUL: all must arrive unchanged.
std::string remoteBytes(size_t size, int seed = 0) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + seed + i / 251) % 256);
    return bytes;
}

class LogFetcherTest : public testing::Test {
protected:
    void SetUp() override { listenTo(fetcher); }

    void listenTo(LogFetcher& target) {
        target.onConnected = [this] { events.push_back("connected"); };
        target.onWorkBegin = [this](int64_t announced) {
            events.push_back("begin " + std::to_string(announced) + " of " + std::to_string(remoteLogSize));
        };
        target.onWork = [this](int64_t received) { counts.push_back(received); };
        target.onWorkEnd = [this] { events.push_back("end"); };
    }

    FtpAccount account(const std::string& logFileName = "games_mp.log") const {
        return {server.serverText(), "gamer", "secret", logFileName};
    }
    bool fetch(LogFetcher& with) { return with.fetch(account(), localPath, remoteLogSize); }
    std::string fetchError(LogFetcher& with, const FtpAccount& from) {
        try {
            with.fetch(from, localPath, remoteLogSize);
        } catch (const Error& error) {
            return error.what();
        }
        return "no error";
    }
    std::string fetchError(LogFetcher& with) { return fetchError(with, account()); }

    // The command lines with the data port replaced by "*", which the system chooses.
    Commands commands() const {
        Commands lines = server.commands();
        for (auto& line : lines) {
            if (line.starts_with("PORT ")) {
                EXPECT_TRUE(line.starts_with("PORT 127,0,0,1,")) << line;
                line = "PORT *";
            }
        }
        return lines;
    }

    test::TempFolder folder;
    std::string localPath = folder.file("games_mp.log");
    ScriptedFtpServer server;
    LogFetcher fetcher{FtpTimeLimits{10s, 10s, 10s}};
    int32_t remoteLogSize = 0;
    std::vector<std::string> events;
    std::vector<int64_t> counts;
};

const Commands kLogin = {"USER gamer", "PASS secret", "TYPE A", "SYST"};

Commands afterLogin(const Commands& rest) {
    Commands all = kLogin;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

TEST_F(LogFetcherTest, FirstFetchProbesRestartAndReceivesTheWholeFile) {
    const std::string content = remoteBytes(100'000);
    server.setRemoteFile(content);

    EXPECT_TRUE(fetch(fetcher));

    EXPECT_EQ(commands(), afterLogin({"SIZE /games_mp.log", "REST 1", "REST 0", "PORT *", "REST 0",
                                      "RETR /games_mp.log"}));
    EXPECT_EQ(readFile(localPath), content);
    EXPECT_EQ(remoteLogSize, 100'000);
    EXPECT_EQ(events, (std::vector<std::string>{"connected", "begin 0 of 100000", "end"}));
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), 100'000);
    for (size_t i = 0; i < counts.size(); ++i) {
        const int64_t block = counts[i] - (i == 0 ? 0 : counts[i - 1]);
        EXPECT_GT(block, 0);
        EXPECT_LE(block, 32'768);
    }
    EXPECT_TRUE(server.waitForClientToLeave(5s)) << "the control connection is dropped after the transfer";
    EXPECT_EQ(server.commands().back(), "RETR /games_mp.log") << "no QUIT";
}

TEST_F(LogFetcherTest, LaterFetchesContinueTheLocalCopy) {
    const std::string content = remoteBytes(1500);
    server.setRemoteFile(content.substr(0, 1000));
    ASSERT_TRUE(fetch(fetcher));
    server.setRemoteFile(content);
    server.clearCommands();
    counts.clear();

    ASSERT_TRUE(fetch(fetcher));
    EXPECT_EQ(commands(), afterLogin({"SIZE /games_mp.log", "PORT *", "REST 1000", "RETR /games_mp.log"}))
        << "the restart answer is kept for the run";
    EXPECT_EQ(readFile(localPath), content);
    EXPECT_EQ(remoteLogSize, 1500);
    EXPECT_EQ(counts.back(), 500) << "only this transfer's bytes are counted";

    // The next run asks again before it continues.
    writeFile(localPath, content.substr(0, 700));
    LogFetcher nextRun{FtpTimeLimits{10s, 10s, 10s}};
    server.clearCommands();
    ASSERT_TRUE(fetch(nextRun));
    EXPECT_EQ(commands(), afterLogin({"SIZE /games_mp.log", "REST 1", "REST 0", "PORT *", "REST 700",
                                      "RETR /games_mp.log"}));
    EXPECT_EQ(readFile(localPath), content);
}

TEST_F(LogFetcherTest, SizeRefusedStillDownloads) {
    server.setRemoteFile("0:00 InitGame\n");
    server.replies["SIZE"] = "550 SIZE not allowed in ASCII mode.";
    ASSERT_TRUE(fetch(fetcher));
    EXPECT_EQ(remoteLogSize, -1);
    EXPECT_EQ(events[1], "begin 0 of -1");
    EXPECT_EQ(readFile(localPath), "0:00 InitGame\n");
}

TEST_F(LogFetcherTest, ServerThatCannotRestart) {
    server.setRemoteFile("new content\n");
    server.replies["REST 1"] = "502 REST not implemented.";

    writeFile(localPath, "old copy\n");
    EXPECT_EQ(fetchError(fetcher), "Destination file already exists.");
    EXPECT_EQ(readFile(localPath), "old copy\n");
    EXPECT_EQ(commands(), afterLogin({"SIZE /games_mp.log", "REST 1", "REST 0"}));

    // Without a local copy the whole file is fetched, with no restart offset.
    std::filesystem::remove(localPath);
    server.clearCommands();
    ASSERT_TRUE(fetch(fetcher));
    EXPECT_EQ(commands(), afterLogin({"SIZE /games_mp.log", "PORT *", "RETR /games_mp.log"}));
    EXPECT_EQ(readFile(localPath), "new content\n");
}

TEST_F(LogFetcherTest, RefusedRepliesEndTheFetchWithTheirText) {
    server.setRemoteFile("log\n");
    server.replies["PASS"] = "530 Login incorrect.";
    EXPECT_EQ(fetchError(fetcher), "Login incorrect.");
    EXPECT_TRUE(server.waitForClientToLeave(5s)) << "the client closes the connection";
    EXPECT_EQ(commands(), (Commands{"USER gamer", "PASS secret"}));
    EXPECT_FALSE(std::filesystem::exists(localPath));

    server.replies.clear();
    server.replies["RETR"] = "550-/games_mp.log: No such file.\r\n550 Check the log file name.";
    EXPECT_EQ(fetchError(fetcher), "/games_mp.log: No such file.\nCheck the log file name.");
    EXPECT_TRUE(server.waitForClientToLeave(5s));
    EXPECT_EQ(readFile(localPath), "") << "the new local file was created before the download";
}

TEST_F(LogFetcherTest, RemoteNameWithFolderPart) {
    server.remotePath = "/logs/main server/games_mp.log";
    server.setRemoteFile("0:00 InitGame\n");
    ASSERT_TRUE(fetcher.fetch(account("logs/main server/games_mp.log"), localPath, remoteLogSize));
    EXPECT_EQ(commands(), afterLogin({"SIZE /logs/main server/games_mp.log", "REST 1", "REST 0", "PORT *",
                                      "REST 0", "RETR /logs/main server/games_mp.log"}));
    EXPECT_EQ(readFile(localPath), "0:00 InitGame\n");
    EXPECT_EQ(remoteLogSize, 14);
}

TEST_F(LogFetcherTest, MultiLineRepliesAndLoginWithoutPassword) {
    server.greeting = "220-Game host FTP\r\n\r\n   \r\n220-Rules: no flooding\r\n220 Ready";
    server.replies["USER"] =
        "230-Welcome back\r\n  Last visit: yesterday\r\n230-\r\n230 Logged in without password.";
    server.replies["SYST"] = "500-SYST not understood\r\n500";
    server.setRemoteFile("log\n");
    ASSERT_TRUE(fetch(fetcher));
    EXPECT_EQ(commands(), (Commands{"USER gamer", "TYPE A", "SYST", "SIZE /games_mp.log", "REST 1", "REST 0",
                                    "PORT *", "REST 0", "RETR /games_mp.log"}));
}

TEST_F(LogFetcherTest, SilentServerEndsWithinTheLimit) {
    LogFetcher impatient{FtpTimeLimits{10s, 500ms, 500ms}};
    listenTo(impatient);
    const std::string content = remoteBytes(200'000, 3);
    server.setRemoteFile(content);

    server.replies["SIZE"] = "";
    EXPECT_EQ(fetchError(impatient), "Timed out waiting for the server's reply.");
    server.replies.clear();

    server.replies["RETR"] = "150 Opening data connection.";  // but no connection comes
    EXPECT_EQ(fetchError(impatient), "Timed out waiting for the server's data connection.");
    server.replies.clear();

    server.stallAfter = 70'000;
    EXPECT_EQ(fetchError(impatient), "Timed out waiting for the server's data.");
    EXPECT_EQ(readFile(localPath), content.substr(0, 70'000)) << "received bytes stay";

    // The same run can simply fetch again: nothing of the failed fetches is left over.
    server.stallAfter = -1;
    server.clearCommands();
    ASSERT_TRUE(fetch(impatient));
    EXPECT_EQ(commands(), afterLogin({"SIZE /games_mp.log", "PORT *", "REST 70000", "RETR /games_mp.log"}));
    EXPECT_EQ(readFile(localPath), content);
}

TEST_F(LogFetcherTest, EndOfTransferReplies) {
    server.setRemoteFile("0:00 InitGame\n");
    // After 426 or 450 one more reply, 225 or 226, completes the transfer.
    for (const std::string end :
         {"225 Closing.", "250 Done.", "426-Connection closed.\r\n426 Aborted.\r\n226 Closing.",
          "450 Busy.\r\n225 Done."}) {
        std::filesystem::remove(localPath);
        server.endReply = end;
        EXPECT_TRUE(fetch(fetcher)) << end;
        EXPECT_EQ(readFile(localPath), "0:00 InitGame\n") << end;
    }
    for (const auto& [end, text] :
         std::vector<std::pair<std::string, std::string>>{{"451 Local error.", "Local error."},
                                                          {"426 Aborted.\r\n250 Done.", "Done."},
                                                          {"450 Busy.\r\n450 Still busy.", "Still busy."}}) {
        std::filesystem::remove(localPath);
        server.endReply = end;
        EXPECT_EQ(fetchError(fetcher), text) << end;
        EXPECT_EQ(readFile(localPath), "0:00 InitGame\n") << "received bytes stay";
        EXPECT_TRUE(server.waitForClientToLeave(5s));
    }
}

TEST_F(LogFetcherTest, SecondDataConnectionIsNotTaken) {
    const std::string content = remoteBytes(300'000, 5);
    server.setRemoteFile(content);
    server.connectTwice = true;
    ASSERT_TRUE(fetch(fetcher));
    EXPECT_EQ(readFile(localPath), content);
}

TEST_F(LogFetcherTest, LineBreaksInTheAccountAreRefusedBeforeConnecting) {
    FtpAccount withUser = account(), withPassword = account();
    withUser.user = "gamer\r\nDELE /games_mp.log";
    withPassword.password = "secret\n";
    for (const FtpAccount& broken : {withUser, withPassword, account("games_mp.log\r")}) {
        EXPECT_EQ(fetchError(fetcher, broken),
                  "The FTP user name, password and log file name cannot hold a line break.");
    }
    EXPECT_TRUE(events.empty()) << "no connection was made";
    EXPECT_TRUE(server.commands().empty());
}

TEST_F(LogFetcherTest, ConnectionFailures) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const std::string refusedServer = "127.0.0.1:" + std::to_string(closed.serverPort());
    closed.close();
    EXPECT_EQ(fetchError(fetcher, {refusedServer, "gamer", "secret", "games_mp.log"}),
              "Socket Error # 111\nConnection refused.");

    LogFetcher noTime{FtpTimeLimits{0ms, 10s, 10s}};
    EXPECT_EQ(fetchError(noTime), "Connect timed out.");

    server.replies["USER"] = "";
    server.closeAfter = {"USER"};
    EXPECT_EQ(fetchError(fetcher), "Connection Closed Gracefully.");

    server.replies["USER"] = "421 Too many connections.";  // the reply before the close is read
    EXPECT_EQ(fetchError(fetcher), "Too many connections.");
    EXPECT_EQ(events, (std::vector<std::string>{"connected", "connected"}));
}

TEST(LogFetcherIpv6, DataConnectionIsNamedByEprt) {
    ScriptedFtpServer server(QHostAddress::LocalHostIPv6);
    server.setRemoteFile("0:00 InitGame\n");
    test::TempFolder folder;
    LogFetcher fetcher{FtpTimeLimits{10s, 10s, 10s}};
    int32_t remoteLogSize = 0;
    ASSERT_TRUE(fetcher.fetch({server.serverText(), "gamer", "secret", "games_mp.log"},
                              folder.file("games_mp.log"), remoteLogSize));
    EXPECT_EQ(server.commands().at(7).substr(0, 11), "EPRT |2|::1");
    EXPECT_EQ(readFile(folder.file("games_mp.log")), "0:00 InitGame\n");
}

}  // namespace
}  // namespace gravmark
