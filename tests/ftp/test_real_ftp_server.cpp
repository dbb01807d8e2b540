// The fetch against a real FTP server: pyftpdlib, started on a free loopback port by
// tools/ftp_server.py with a temporary folder and stopped when the test ends.
#include <gtest/gtest.h>

#include <QProcess>
#include <fstream>
#include <optional>

#include "common/error.h"
#include "ftp/log_fetcher.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

std::optional<QString> pythonWithPyftpdlib() {
    for (const QString candidate : {"/usr/bin/python3", "python3"}) {
        if (QProcess::execute(candidate, {"-c", "import pyftpdlib"}) == 0) return candidate;
    }
    return {};
}

class RealFtpServer {
public:
    RealFtpServer(const QString& python, const std::string& root, bool convertAscii) {
        QStringList arguments = {GRAVMARK_FTP_SERVER_SCRIPT,
                                 "--root",
                                 QString::fromStdString(root),
                                 "--user",
                                 "gamer",
                                 "--password",
                                 "secret"};
        if (convertAscii) arguments << "--convert-ascii";
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(python, arguments);
        while (!process_.canReadLine() && process_.waitForReadyRead(10'000)) {
        }
        const QByteArray line = process_.readLine().trimmed();
        if (!line.startsWith("port ")) throw std::runtime_error("the FTP server did not start");
        serverText_ = "127.0.0.1:" + line.mid(5).toStdString();
    }
    ~RealFtpServer() {
        process_.terminate();
        if (!process_.waitForFinished(5'000)) process_.kill();
        process_.waitForFinished();
    }
    FtpAccount account() const { return {serverText_, "gamer", "secret", "games_mp.log"}; }

private:
    QProcess process_;
    std::string serverText_;
};

class RealFtpServerTest : public testing::Test {
protected:
    void SetUp() override {
        python = pythonWithPyftpdlib();
        if (!python) GTEST_SKIP() << "python3 -c \"import pyftpdlib\" failed: install python3-pyftpdlib";
    }

    std::optional<QString> python;
    TempFolder serverRoot;
    TempFolder programFolder;
    std::string remotePath = serverRoot.file("games_mp.log");
    std::string localPath = programFolder.file("games_mp.log");
    LogFetcher fetcher;
    int32_t remoteLogSize = 0;
};

TEST_F(RealFtpServerTest, FetchesARealLogAndContinuesItAfterItGrew) {
    const std::string log = readFile(GRAVMARK_REAL_LOGS "/server-lan-10k.log");
    const size_t firstPart = 700'000;  // not at a line end, as when the game server is mid-write
    writeFile(remotePath, log.substr(0, firstPart));
    RealFtpServer server(*python, serverRoot.folder(), false);

    ASSERT_TRUE(fetcher.fetch(server.account(), localPath, remoteLogSize));
    EXPECT_EQ(remoteLogSize, static_cast<int32_t>(firstPart));

    std::ofstream(remotePath, std::ios::binary | std::ios::app) << log.substr(firstPart);
    ASSERT_TRUE(fetcher.fetch(server.account(), localPath, remoteLogSize));
    EXPECT_EQ(remoteLogSize, static_cast<int32_t>(log.size()));
    const std::string local = readFile(localPath);
    EXPECT_EQ(local.size(), log.size());
    EXPECT_TRUE(local == log) << "the local copy differs from the remote file";
}

// A server that applies ASCII type strictly sends CR LF line ends, refuses SIZE and
// REST: the first fetch stores the converted bytes, a later one cannot continue.
TEST_F(RealFtpServerTest, StrictAsciiServerConvertsLineEndsAndCannotRestart) {
    const std::string log = readFile(GRAVMARK_REAL_LOGS "/server-small-100.log");
    writeFile(remotePath, log);
    RealFtpServer server(*python, serverRoot.folder(), true);

    ASSERT_TRUE(fetcher.fetch(server.account(), localPath, remoteLogSize));
    EXPECT_EQ(remoteLogSize, -1);
    std::string withCrLf;
    for (const char c : log) withCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(readFile(localPath), withCrLf);

    try {
        fetcher.fetch(server.account(), localPath, remoteLogSize);
        ADD_FAILURE() << "the second fetch should fail";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Destination file already exists.");
    }
    EXPECT_EQ(readFile(localPath), withCrLf);
}

}  // namespace
}  // namespace gravmark
