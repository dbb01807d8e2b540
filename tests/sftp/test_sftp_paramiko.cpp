// Password logins, plain and keyboard-interactive, against a paramiko SFTP server on
// loopback (sshd would take passwords from the machine's accounts).
#include <gtest/gtest.h>

#include "common/error.h"
#include "sftp/sftp_remote_log.h"
#include "sftp_test_support.h"
#include "ssh_test_servers.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::binaryLog;
using test::readFrom;
using test::RecordedPrompts;
using test::TempFolder;
using test::writeFile;

class SftpAgainstParamiko : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (const auto missing = test::paramikoMissing()) GTEST_SKIP() << *missing;
        writeFile(remote.file("games_mp.log"), log);
        server = std::make_unique<test::ParamikoSftpServer>(remote.folder(), "gamer", "s3cret pass", GetParam());
    }
    SftpAccount account(std::optional<std::string> password, const std::string& path = "games_mp.log") const {
        return {"127.0.0.1:" + std::to_string(server->port()), "gamer", std::move(password), std::nullopt, path};
    }
    std::string failure(const SftpAccount& which) {
        try {
            SftpRemoteLog(which, program.file("known_hosts"), answers.prompts());
        } catch (const Error& error) {
            return error.what();
        }
        return "no failure";
    }

    TempFolder remote;
    TempFolder program;
    const std::string log = binaryLog(100'000);
    std::unique_ptr<test::ParamikoSftpServer> server;
    RecordedPrompts answers;
};

TEST_P(SftpAgainstParamiko, LogsInWithThePasswordAndRefusesAWrongOne) {
    for (const std::string path : {"games_mp.log", "/games_mp.log"}) {
        SftpRemoteLog session(account("s3cret pass", path), program.file("known_hosts"), answers.prompts());
        EXPECT_EQ(session.size(), static_cast<int64_t>(log.size()));
        EXPECT_TRUE(readFrom(session, 0) == log);
        session.finish();
    }
    EXPECT_EQ(answers.trustQuestions.size(), 1u);

    EXPECT_EQ(failure(account("wrong")), "The server 127.0.0.1 refused the password of the user gamer.");
    EXPECT_EQ(failure(account(std::nullopt)),
              "The server 127.0.0.1 asks for a login: give a password or a key file in the settings.");
}

INSTANTIATE_TEST_SUITE_P(Methods, SftpAgainstParamiko, testing::Values("password", "keyboard-interactive"));

}  // namespace
}  // namespace gravmark
