// gravmark-batch --fetch over SFTP against OpenSSH's sshd on loopback: a new host key is
// refused with its fingerprint and the --trust command that accepts it; a protected key
// opens with the passphrase from the environment.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "batch/batch_run.h"
#include "ssh_test_servers.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using testing::HasSubstr;

class BatchSftp : public testing::Test {
protected:
    void SetUp() override {
        if (const auto missing = test::sshdMissing()) GTEST_SKIP() << *missing;
        sshd = std::make_unique<test::Sshd>();
        test::writeFile(remote.file("games_mp.log"), log);
        writeSettings(sshd->clientKey());
        options.folder = folder.folder();
        options.fetch = true;
        options.out = folder.file("page.html");
    }
    void TearDown() override { ::unsetenv("GRAVMARK_KEY_PASSPHRASE"); }

    void writeSettings(const std::string& keyFile) const {
        test::writeFile(folder.file("GravmarkParser.INI"),
                        "[FTPconnect]\r\nprotocol=sftp\r\nserver=127.0.0.1:" + std::to_string(sshd->port()) +
                            "\r\nuser=" + sshd->user() + "\r\nkeyfile=" + keyFile +
                            "\r\nlogfile=" + remote.file("games_mp.log") + "\r\n");
    }
    // The exit status, and what went to standard error.
    std::pair<int, std::string> run() {
        testing::internal::CaptureStderr();
        const int status = runBatch(options);
        return {status, testing::internal::GetCapturedStderr()};
    }

    std::unique_ptr<test::Sshd> sshd;
    test::TempFolder remote;
    test::TempFolder folder;
    const std::string log = test::readFile(GRAVMARK_REPORT_EXPECTED "/generated-seed-7.log");
    BatchOptions options;
};

TEST_F(BatchSftp, ANewHostKeyIsAcceptedOnlyByTrustWithItsFingerprint) {
    const std::string fingerprint = test::keygenFingerprint(sshd->hostPublicKey());
    const std::string server = "[127.0.0.1]:" + std::to_string(sshd->port());
    auto [status, err] = run();
    EXPECT_EQ(status, 1);
    EXPECT_THAT(err, HasSubstr("The host key of " + server + " is not in known_hosts; its fingerprint is " +
                               fingerprint +
                               ". If that is the server's key, accept it with: gravmark-batch --fetch --trust " +
                               fingerprint));
    EXPECT_FALSE(std::filesystem::exists(folder.file("known_hosts")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("page.html")));

    options.trust = "SHA256:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";
    std::tie(status, err) = run();
    EXPECT_EQ(status, 1);
    EXPECT_THAT(err, HasSubstr("has the fingerprint " + fingerprint + ", not " + *options.trust));
    EXPECT_FALSE(std::filesystem::exists(folder.file("known_hosts")));

    options.trust = fingerprint;
    std::tie(status, err) = run();
    EXPECT_EQ(status, 0) << err;
    EXPECT_TRUE(test::readFile(folder.file("games_mp.log")) == log);
    EXPECT_THAT(test::readFile(folder.file("known_hosts")), HasSubstr(server + " ssh-ed25519 "));
    EXPECT_THAT(test::readFile(folder.file("page.html")), HasSubstr("# of lines parsed : 800<BR>"));

    // Known from now on: no --trust needed.
    options.trust.reset();
    std::tie(status, err) = run();
    EXPECT_EQ(status, 0) << err;
}

TEST_F(BatchSftp, AProtectedKeyOpensWithThePassphraseFromTheEnvironment) {
    const std::string key = folder.file("protected_key");
    test::makeKeyPair(key, "ed25519", "open sesame");
    sshd->authorize(key + ".pub");
    writeSettings(key);
    options.trust = test::keygenFingerprint(sshd->hostPublicKey());

    auto [status, err] = run();
    EXPECT_EQ(status, 1);
    EXPECT_THAT(err, HasSubstr("The key file \"" + key +
                               "\" is protected by a passphrase; give it in the environment variable "
                               "GRAVMARK_KEY_PASSPHRASE."));

    ::setenv("GRAVMARK_KEY_PASSPHRASE", "open sesame", 1);
    std::tie(status, err) = run();
    EXPECT_EQ(status, 0) << err;
    EXPECT_TRUE(test::readFile(folder.file("games_mp.log")) == log);
}

}  // namespace
}  // namespace gravmark
