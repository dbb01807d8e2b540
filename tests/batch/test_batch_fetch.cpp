// --fetch against the loopback FTP server, in-process: the server answers from the
// event loop that the fetch runs while it waits.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "batch/batch_fetch.h"
#include "batch/batch_run.h"
#include "fetch/fetch_messages.h"
#include "ftp/scripted_ftp_server.h"
#include "support/error_text.h"
#include "support/real_logs.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using testing::HasSubstr;

TEST(BatchFetch, FetchesTheLogThenBuildsThePage) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    test::TempFolder folder;
    test::ScriptedFtpServer server;
    const std::string log = test::readFile(std::string(GRAVMARK_REAL_LOGS) + "/server-small-100.log");
    server.remotePath = "logs/games_mp.log";
    server.setRemoteFile(log);
    test::writeFile(folder.file("GravmarkParser.INI"),
                    "[FTPconnect]\r\nserver=" + server.serverText() +
                        "\r\nuser=gamer\r\npass=secret\r\nlogfile=logs/games_mp.log\r\n");
    // The local copy is continued, not replaced.
    test::writeFile(folder.file("games_mp.log"), log.substr(0, 1000));

    BatchOptions options;
    options.folder = folder.folder();
    options.fetch = true;
    options.out = folder.file("page.html");
    testing::internal::CaptureStderr();
    const int status = runBatch(options);
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(err,
              "Connected, proceeding with download\nReceived log file and saved as games_mp.log\nResults "
              "saved as " +
                  folder.file("page.html") + "\n");
    EXPECT_TRUE(test::readFile(folder.file("games_mp.log")) == log);
    EXPECT_THAT(test::readFile(folder.file("page.html")), HasSubstr("# of lines parsed : 100<BR>"));

    // Nothing new: said so, and the page is built again.
    testing::internal::CaptureStderr();
    EXPECT_EQ(runBatch(options), 0);
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("games_mp.log is already up to date\n"));

    // Rotated: where the old copy went.
    server.setRemoteFile(log.substr(5000));
    testing::internal::CaptureStderr();
    EXPECT_EQ(runBatch(options), 0);
    EXPECT_THAT(
        testing::internal::GetCapturedStderr(),
        HasSubstr("The server's log was rotated; the old copy is kept as " + folder.file("games_mp.log.20")));
    EXPECT_TRUE(test::readFile(folder.file("games_mp.log")) == log.substr(5000));
}

// A quiet --fetch run against `server` that is expected to fail: its standard error.
std::string failedFetchRun(const test::TempFolder& folder, const std::string& server) {
    test::writeFile(folder.file("GravmarkParser.INI"), "[FTPconnect]\r\nserver=" + server + "\r\n");
    BatchOptions options;
    options.folder = folder.folder();
    options.fetch = true;
    options.quiet = true;
    options.out = folder.file("page.html");
    testing::internal::CaptureStderr();
    EXPECT_EQ(runBatch(options), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(std::filesystem::exists(folder.file("page.html")));
    return err;
}

// A refusal carrying escape sequences is printed without its control characters.
TEST(BatchFetch, ServerTextsReachTheTerminalWithoutControlCharacters) {
    test::TempFolder folder;
    test::ScriptedFtpServer server;
    server.setRemoteFile("0:00 InitGame\n");
    server.replies["RETR"] = "550 \x1b]2;owned\x07\x1b[2J\tgone\x7f";
    EXPECT_EQ(
        failedFetchRun(folder, server.serverText()),
        "error: The log file \"games_mp.log\" on the server cannot be fetched: ?]2;owned??[2J\tgone?\n");
}

TEST(BatchFetch, ACertificateIsAcceptedOnlyByTheFingerprintTrustNames) {
    const std::string shown = "SHA256:" + std::string(64, 'a');
    const std::string other = "SHA256:" + std::string(64, 'b');
    EXPECT_NO_THROW(batchCertificateDecision("ftp.example.org", shown)(shown, ""));
    EXPECT_EQ(test::errorText([&] { batchCertificateDecision("ftp.example.org", other)(shown, ""); }),
              "The certificate of ftp.example.org has the fingerprint " + shown + ", not " + other +
                  " as given with --trust. Nothing was fetched.");
    EXPECT_EQ(test::errorText([&] { batchCertificateDecision("ftp.example.org", {})(shown, ""); }),
              unverifiedCertificateMessage(shown));
    EXPECT_THAT(test::errorText([&] { batchCertificateDecision("ftp.example.org", {})(shown, other); }),
                HasSubstr("To accept the new one: gravmark-batch --fetch --trust " + shown));
}

TEST(BatchFetch, UnreachableServerFailsWithoutAPage) {
    test::TempFolder folder;
    test::writeFile(folder.file("games_mp.log"), "");
    // A listening port that is closed again: nothing answers there.
    const std::string closedPort = test::ScriptedFtpServer().serverText();
    EXPECT_THAT(failedFetchRun(folder, closedPort), testing::StartsWith("error: "));
}

}  // namespace
}  // namespace gravmark
