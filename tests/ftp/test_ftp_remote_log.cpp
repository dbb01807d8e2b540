// The fetch over FTP against a scripted server on loopback: the exact command sequences,
// the local copy, the notifications and the failures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "common/error.h"
#include "common/program_folder.h"
#include "ftp/socket_error.h"
#include "scripted_ftp_server.h"
#include "support/error_text.h"
#include "support/temp_folder.h"
#include "transport/log_fetch.h"

namespace gravmark {
namespace {

using namespace std::chrono_literals;
using test::readFile;
using test::ScriptedFtpServer;
using test::writeFile;
using Commands = std::vector<std::string>;

constexpr int64_t K = LogContinuation::kOverlap;

// Bytes of every value, line breaks of every kind and a NUL: all must arrive unchanged.
std::string remoteBytes(size_t size, int seed = 0) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + seed + i / 251) % 256);
    return bytes;
}

class FtpFetch : public testing::Test {
protected:
    FtpFetch() {
        setProgramFolder(folder.folder());
        settings.server = server.serverText();
        settings.user = "gamer";
        settings.password = "secret";
    }

    FetchOutcome fetch() {
        return fetchLogFile(settings, folder.folder(), notifications(), refuseCertificates, limits).outcome;
    }
    std::string fetchError() {
        return test::errorText([this] { fetch(); });
    }
    FetchNotifications notifications() {
        return {[this] { events.push_back("connected"); },
                [this](int64_t size) { events.push_back("begin " + std::to_string(size)); },
                [this](int64_t received) { counts.push_back(received); },
                [this] { events.push_back("end"); }};
    }
    static void refuseCertificates(const std::string&, const std::string&) { throw Error("refused"); }

    // The command lines since the last call, with the data port replaced by "*".
    Commands commands() {
        Commands lines = server.commands();
        server.clearCommands();
        for (auto& line : lines) {
            if (line.starts_with("PORT ")) {
                EXPECT_TRUE(line.starts_with("PORT 127,0,0,1,")) << line;
                line = "PORT *";
            }
        }
        return lines;
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(folder.file(name)); }

    test::TempFolder folder;
    std::string logPath = folder.file("games_mp.log");
    ScriptedFtpServer server;
    SettingsValues settings;
    FetchTimeLimits limits{10s, 10s, 10s, 10s};
    std::vector<std::string> events;
    std::vector<int64_t> counts;
};

const Commands kLogin = {"USER gamer", "PASS secret", "SYST", "TYPE I"};

Commands afterLogin(const Commands& rest) {
    Commands all = kLogin;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

TEST_F(FtpFetch, PassiveBinaryFetchesOfAGrowingLog) {
    const std::string log = remoteBytes(300'000);
    server.setRemoteFile(log.substr(0, 100'000));

    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(commands(), afterLogin({"SIZE games_mp.log", "EPSV", "RETR games_mp.log", "QUIT"}));
    EXPECT_TRUE(readFile(logPath) == log.substr(0, 100'000));
    EXPECT_EQ(events, (std::vector<std::string>{"connected", "begin 100000", "end"}));
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), 100'000);
    for (size_t i = 0; i < counts.size(); ++i) {
        const int64_t block = counts[i] - (i == 0 ? 0 : counts[i - 1]);
        EXPECT_GT(block, 0);
        EXPECT_LE(block, 32'768);
    }

    server.setRemoteFile(log);
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_EQ(commands(), afterLogin({"SIZE games_mp.log", "EPSV", "REST " + std::to_string(100'000 - K),
                                      "RETR games_mp.log", "QUIT"}));
    EXPECT_TRUE(readFile(logPath) == log);

    EXPECT_EQ(fetch(), FetchOutcome::UpToDate);
    EXPECT_EQ(commands(), afterLogin({"SIZE games_mp.log", "QUIT"}));
    EXPECT_TRUE(server.waitForClientToLeave(5s));
}

TEST_F(FtpFetch, RemotePathIsRelativeUnlessItStartsWithASlash) {
    server.setRemoteFile("0:00 InitGame\n");
    for (const std::string name : {"logs/main servergames_mp.log", "/srv/gamegames_mp.log"}) {
        std::filesystem::remove(logPath);
        server.remotePath = name;
        settings.logFile = name;
        EXPECT_EQ(fetch(), FetchOutcome::Replaced);
        EXPECT_EQ(commands(), afterLogin({"SIZE " + name, "EPSV", "RETR " + name, "QUIT"}));
        EXPECT_EQ(readFile(logPath), "0:00 InitGame\n");
    }
}

TEST_F(FtpFetch, PasvWhenEpsvIsRefusedAndActiveModeWhenPassiveIsOff) {
    server.setRemoteFile("0:00 InitGame\n");
    server.replies["EPSV"] = "500 EPSV not understood.";
    server.pasvAddress = "10,0,0,5";  // behind NAT: the peer address is used instead
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(commands(), afterLogin({"SIZE games_mp.log", "EPSV", "PASV", "RETR games_mp.log", "QUIT"}));

    server.replies["PASV"] = "500 PASV not understood.";
    std::filesystem::remove(logPath);
    EXPECT_EQ(fetchError(), "The server refused passive mode; untick Passive mode in the settings.");
    EXPECT_FALSE(exists("games_mp.log"));

    settings.passive = false;
    commands();
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(commands(), afterLogin({"SIZE games_mp.log", "PORT *", "RETR games_mp.log", "QUIT"}));
    EXPECT_EQ(readFile(logPath), "0:00 InitGame\n");

    server.replies["PORT"] = "500 Illegal PORT command.";
    std::filesystem::remove(logPath);
    EXPECT_EQ(fetchError(), "The server refused active mode; tick Passive mode in the settings.");
    EXPECT_FALSE(exists("games_mp.log"));
    EXPECT_FALSE(exists("games_mp.log.part"));
}

TEST_F(FtpFetch, PassiveRepliesWithoutAUsablePort) {
    server.setRemoteFile("log\n");
    for (const auto& [verb, reply] : std::vector<std::pair<std::string, std::string>>{
             {"EPSV", "229 Entering Extended Passive Mode (|||0|)"},
             {"EPSV", "229 Entering Extended Passive Mode"},
             {"PASV", "227 Entering Passive Mode (127,0,0,1,256,1)."},
             {"PASV", "227 Entering Passive Mode (127,0,999,1,4,1)."}}) {
        server.replies.clear();
        if (verb == "PASV") server.replies["EPSV"] = "502 No.";
        server.replies[verb] = reply;
        const std::string error = fetchError();
        EXPECT_TRUE(error.starts_with("The server named no usable data port: ")) << reply << ": " << error;
        EXPECT_FALSE(exists("games_mp.log"));
    }
}

TEST_F(FtpFetch, ARefusedRestartFetchesTheWholeLog) {
    const std::string log = remoteBytes(200'000, 1);
    writeFile(logPath, log.substr(0, 150'000));
    server.setRemoteFile(log);
    server.replies["REST"] = "502 REST not implemented.";
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(commands(), afterLogin({"SIZE games_mp.log", "EPSV", "REST " + std::to_string(150'000 - K),
                                      "EPSV", "RETR games_mp.log", "QUIT"}));
    EXPECT_TRUE(readFile(logPath) == log);
    EXPECT_FALSE(exists("games_mp.log.part"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no dated copy";

    // SIZE refused: the overlap decides, and a rotated log is kept whole.
    server.replies.clear();
    server.replies["SIZE"] = "550 SIZE not allowed.";
    const std::string rotated = remoteBytes(90'000, 2);
    server.setRemoteFile(rotated);
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_TRUE(readFile(logPath) == rotated);
    EXPECT_EQ(events.back(), "end");
}

TEST_F(FtpFetch, FailuresLeaveThePreviousCopyAsItWas) {
    server.setRemoteFile("new\n");
    server.replies["PASS"] = "530 Login incorrect.";
    EXPECT_EQ(fetchError(), "Login incorrect.");
    EXPECT_TRUE(server.waitForClientToLeave(5s)) << "the client closes the connection";
    EXPECT_EQ(commands(), (Commands{"USER gamer", "PASS secret"}));
    EXPECT_FALSE(exists("games_mp.log"));

    for (const std::string refusal :
         {"530 Non-anonymous sessions must use encryption.",
          "421-Sorry, cleartext sessions and weak ciphers are not accepted on this "
          "server.\r\n421 Please reconnect using TLS security mechanisms."}) {
        server.replies = {{"USER", refusal}};
        EXPECT_EQ(fetchError(), "The server requires TLS; choose FTP over TLS in the settings.");
    }

    server.replies.clear();
    server.replies["RETR"] = "550-games_mp.log: No such file.\r\n550 Check the log file name.";
    EXPECT_EQ(fetchError(),
              "The log file \"games_mp.log\" on the server cannot be fetched: games_mp.log: No such "
              "file.\nCheck the log file name.");
    EXPECT_FALSE(exists("games_mp.log")) << "no 0-byte file";
    EXPECT_FALSE(exists("games_mp.log.part"));

    writeFile(logPath, "old copy\n");
    server.replies["RETR"] = "550 Failed to open file.";  // a missing file, a folder or no right to read
    EXPECT_EQ(fetchError(),
              "The log file \"games_mp.log\" on the server cannot be fetched: Failed to open file.");
    EXPECT_EQ(readFile(logPath), "old copy\n");
    EXPECT_FALSE(exists("games_mp.log.part"));

    server.replies.clear();
    server.endReply = "426 Connection closed; transfer aborted.";
    EXPECT_EQ(fetchError(), "Connection closed; transfer aborted.") << "shown at once";
    EXPECT_EQ(readFile(logPath), "old copy\n");
}

// A rotated log longer than the copy: the transfer that found the difference is aborted
// and the whole log fetched in the same session, or after a new login when the server
// ends the session over the abort or does not answer it.
TEST_F(FtpFetch, AnAbandonedTransferIsAbortedOrTheSessionIsLoggedInAgain) {
    limits.reply = 500ms;
    const Commands compared = {"SIZE games_mp.log", "EPSV", "REST " + std::to_string(100'000 - K),
                               "RETR games_mp.log", "ABOR"};
    const Commands whole = {"EPSV", "RETR games_mp.log", "QUIT"};
    Commands inOneSession = afterLogin(compared);
    inOneSession.push_back("NOOP");
    inOneSession.insert(inOneSession.end(), whole.begin(), whole.end());
    Commands overTwoLogins = afterLogin(compared);
    overTwoLogins.insert(overTwoLogins.end(), kLogin.begin(), kLogin.end());
    overTwoLogins.insert(overTwoLogins.end(), whole.begin(), whole.end());

    for (const auto& [closesOnAbort, silentToNoop, expected] : {std::tuple{false, false, inOneSession},
                                                                {true, false, overTwoLogins},
                                                                {false, true, overTwoLogins}}) {
        writeFile(logPath, remoteBytes(100'000, 6));
        const std::string rotated = remoteBytes(3'000'000, 7);
        server.setRemoteFile(rotated);
        server.replies.clear();
        server.closeAfter.clear();
        if (closesOnAbort) server.closeAfter = {"ABOR"};
        if (silentToNoop) server.replies["NOOP"] = "";
        EXPECT_EQ(fetch(), FetchOutcome::Replaced);
        Commands sent = commands();
        if (silentToNoop) std::erase(sent, "NOOP");
        EXPECT_EQ(sent, expected);
        EXPECT_TRUE(readFile(logPath) == rotated);
    }
}

TEST_F(FtpFetch, AServerKilledMidTransferIsContinuedByTheNextFetch) {
    const std::string log = remoteBytes(400'000, 3);
    writeFile(logPath, log.substr(0, 100'000));
    server.setRemoteFile(log);
    server.dropAfter = K + 100'000;
    EXPECT_EQ(fetchError(),
              "The server closed the connection after 200000 of 400000 bytes; the next fetch continues from "
              "there.");
    EXPECT_TRUE(readFile(logPath) == log.substr(0, 200'000));
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_TRUE(readFile(logPath) == log);
}

TEST_F(FtpFetch, SilentServersEndWithinTheLimits) {
    limits = {10s, 500ms, 500ms, 10s};
    const std::string content = remoteBytes(200'000, 4);
    server.setRemoteFile(content);

    server.replies["SIZE"] = "";
    EXPECT_EQ(fetchError(), "Timed out waiting for the server's reply.");
    server.replies.clear();

    settings.passive = false;
    server.replies["RETR"] = "150 Opening data connection.";  // but no connection comes
    EXPECT_EQ(fetchError(), "Timed out waiting for the server's data connection.");
    server.replies.clear();

    server.dataFrom = QHostAddress("127.0.0.2");  // only the control connection's peer may connect
    EXPECT_EQ(fetchError(), "Timed out waiting for the server's data connection.");
    server.dataFrom = QHostAddress();

    settings.passive = true;
    server.stallAfter = 70'000;
    EXPECT_EQ(fetchError(), "Timed out waiting for the server's data.");
    EXPECT_FALSE(exists("games_mp.log"));
    EXPECT_EQ(readFile(logPath + ".part"), content.substr(0, 70'000)) << "continued by the next fetch";

    server.stallAfter = -1;
    commands();
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(commands(), afterLogin({"SIZE games_mp.log", "EPSV", "REST " + std::to_string(70'000 - K),
                                      "RETR games_mp.log", "QUIT"}));
    EXPECT_TRUE(readFile(logPath) == content);
}

TEST_F(FtpFetch, ASecondFetchInTheSameFolderWaitsThenGivesUp) {
    server.setRemoteFile(remoteBytes(100'000, 5));
    server.stallAfter = 50'000;
    limits = {10s, 10s, 2s, 10s};
    std::string second = "not run";
    QTimer::singleShot(200ms, [&] {
        FetchTimeLimits impatient = limits;
        impatient.lock = 300ms;
        second = test::errorText(
            [&] { fetchLogFile(settings, folder.folder(), {}, refuseCertificates, impatient); });
    });
    EXPECT_EQ(fetchError(), "Timed out waiting for the server's data.");
    EXPECT_EQ(second, "Another Gravmark Parser is fetching the log in this folder.");
}

TEST_F(FtpFetch, LineBreaksInTheAccountAreRefusedBeforeConnecting) {
    for (auto* field : {&settings.user, &settings.password, &settings.logFile}) {
        const std::string kept = *field;
        *field += "\r\nDELE games_mp.log";
        EXPECT_EQ(fetchError(), "The FTP user name, password and log file name cannot hold a line break.");
        *field = kept;
    }
    EXPECT_TRUE(events.empty()) << "no connection was made";
    EXPECT_TRUE(server.commands().empty());
}

TEST_F(FtpFetch, ConnectionFailures) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    settings.server = "127.0.0.1:" + std::to_string(closed.serverPort());
    closed.close();
    EXPECT_EQ(fetchError(), socketErrorMessage(QAbstractSocket::ConnectionRefusedError, ""));

    settings.server = server.serverText();
    limits.connect = 0ms;
    EXPECT_EQ(fetchError(), "Connect timed out.");
    limits.connect = 10s;

    server.replies["USER"] = "";
    server.closeAfter = {"USER"};
    EXPECT_EQ(fetchError(), "Connection Closed Gracefully.");

    // A server that agrees to TLS and then answers the handshake with plain text.
    server.closeAfter.clear();
    server.replies = {{"AUTH TLS", "234 Proceed with negotiation.\r\nthis is no TLS record"}};
    settings.protocol = "ftps";
    EXPECT_THAT(fetchError(), testing::StartsWith("The TLS handshake failed: "));
    const Commands sent = commands();
    const auto auth = std::find(sent.begin(), sent.end(), "AUTH TLS");
    ASSERT_NE(auth, sent.end());
    EXPECT_TRUE(std::none_of(auth, sent.end(), [](const std::string& line) {
        return line.starts_with("USER");
    })) << "the account never goes in clear text";

    settings.protocol = "gopher";
    EXPECT_EQ(fetchError(),
              "Unknown protocol \"gopher\" in the settings; choose one in the settings window.");
    EXPECT_FALSE(exists("games_mp.log"));
}

TEST(FtpFetchIpv6, PassiveAndActiveDataConnections) {
    ScriptedFtpServer server(QHostAddress::LocalHostIPv6);
    server.setRemoteFile("0:00 InitGame\n");
    test::TempFolder folder;
    SettingsValues settings;
    settings.server = server.serverText();
    for (const bool passive : {true, false}) {
        std::filesystem::remove(folder.file("games_mp.log"));
        settings.passive = passive;
        server.clearCommands();
        fetchLogFile(settings, folder.folder(), {}, {}, {10s, 10s, 10s, 10s});
        EXPECT_EQ(server.commands().at(5).substr(0, 11), passive ? "EPSV" : "EPRT |2|::1");
        EXPECT_EQ(readFile(folder.file("games_mp.log")), "0:00 InitGame\n");
    }
}

}  // namespace
}  // namespace gravmark
