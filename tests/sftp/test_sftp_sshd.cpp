// The SFTP transport against OpenSSH's sshd on loopback: key logins, host keys, the
// remote file's faults and a server that dies or falls silent mid-transfer.
#include <gtest/gtest.h>

#include <csignal>

#include "common/error.h"
#include "sftp/sftp_remote_log.h"
#include "sftp_test_support.h"
#include "ssh_test_servers.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::binaryLog;
using test::readFile;
using test::readFrom;
using test::RecordedPrompts;
using test::TempFolder;
using test::writeFile;

class SftpAgainstSshd : public testing::Test {
protected:
    void SetUp() override {
        if (const auto missing = test::sshdMissing()) GTEST_SKIP() << *missing;
        sshd = std::make_unique<test::Sshd>(sftpOptions());
        writeFile(remoteLog, log);
    }
    virtual std::string sftpOptions() const { return ""; }

    std::string ipv4() const { return "127.0.0.1:" + std::to_string(sshd->port()); }
    std::string ipv4Name() const { return "[127.0.0.1]:" + std::to_string(sshd->port()); }
    SftpAccount account(const std::string& path) const {
        return {ipv4(), sshd->user(), std::nullopt, sshd->clientKey(), path};
    }
    std::unique_ptr<SftpRemoteLog> open(const SftpAccount& which,
                                        std::chrono::milliseconds limit = kSftpSilenceLimit) {
        return std::make_unique<SftpRemoteLog>(which, knownHosts, answers.prompts(), limit);
    }
    std::string failure(const SftpAccount& which) {
        try {
            auto log = open(which);
            log->size();
            readFrom(*log, 0);
        } catch (const Error& error) {
            return error.what();
        }
        return "no failure";
    }

    std::unique_ptr<test::Sshd> sshd;
    TempFolder remote;
    TempFolder program;
    const std::string remoteLog = remote.file("games_mp.log");
    const std::string log = binaryLog(300'001);
    const std::string knownHosts = program.file("known_hosts");
    RecordedPrompts answers;
};

TEST_F(SftpAgainstSshd, ReadsTheLogOverIpv4AndIpv6TrustingEachNameOnce) {
    const std::string hostFingerprint = test::keygenFingerprint(sshd->hostPublicKey());
    auto first = open(account(remoteLog));
    EXPECT_EQ(answers.connectedCalls, 1);
    EXPECT_EQ(answers.trustQuestions, std::vector<std::string>{ipv4Name() + " " + hostFingerprint});
    EXPECT_EQ(readFile(knownHosts).rfind(ipv4Name() + " ssh-ed25519 AAAA", 0), 0u) << readFile(knownHosts);

    EXPECT_EQ(first->size(), static_cast<int64_t>(log.size()));
    EXPECT_TRUE(readFrom(*first, 0) == log);
    EXPECT_TRUE(readFrom(*first, 250'000) == log.substr(250'000));
    EXPECT_EQ(readFrom(*first, static_cast<int64_t>(log.size())), "");
    // Stopping early leaves the session able to read again.
    std::string twoBlocks;
    int blocks = 0;
    first->read(1, [&](std::string_view block) {
        twoBlocks += block;
        return ++blocks < 2;
    });
    EXPECT_EQ(blocks, 2);
    EXPECT_TRUE(twoBlocks == log.substr(1, twoBlocks.size()));
    EXPECT_TRUE(readFrom(*first, 0) == log);
    // So does a receiver that fails (a full disk), whose error reaches the caller.
    try {
        first->read(0, [](std::string_view) -> bool { throw Error("No space left on device"); });
        ADD_FAILURE() << "the receiver's error should reach the caller";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "No space left on device");
    }
    EXPECT_TRUE(readFrom(*first, 0) == log);
    first->finish();
    first.reset();
    // Counted after a first session, which leaves the libraries' own files open for good.
    const long descriptorsBefore = test::openDescriptors();

    SftpAccount overIpv6 = account(remoteLog);
    overIpv6.server = "[::1]:" + std::to_string(sshd->port());
    auto second = open(overIpv6);
    EXPECT_EQ(answers.trustQuestions.back(), "[::1]:" + std::to_string(sshd->port()) + " " + hostFingerprint);
    EXPECT_TRUE(readFrom(*second, 0) == log);
    second->finish();

    open(account(remoteLog))->finish();
    EXPECT_EQ(answers.trustQuestions.size(), 2u) << "a known key is not asked about again";
    second.reset();
    open(account(remoteLog));  // dropped without finish()
    EXPECT_EQ(test::openDescriptors(), descriptorsBefore);
}

TEST_F(SftpAgainstSshd, RefusesAChangedOrUntrustedHostKeyWithoutAsking) {
    answers.trustAnswer = false;
    EXPECT_EQ(failure(account(remoteLog)), "The host key " + test::keygenFingerprint(sshd->hostPublicKey()) +
                                               " of " + ipv4Name() + " was not trusted. Nothing was fetched.");
    EXPECT_FALSE(std::filesystem::exists(knownHosts));
    EXPECT_EQ(answers.connectedCalls, 0) << "not \"Connected\" before the host key is accepted";

    test::makeKeyPair(program.file("old_host_key"), "ed25519");
    const std::string publicKey = readFile(program.file("old_host_key.pub"));
    const std::string stored = ipv4Name() + " " + publicKey;
    writeFile(knownHosts, stored);
    answers.trustQuestions.clear();
    answers.trustAnswer = true;
    const std::string message = failure(account(remoteLog));
    EXPECT_EQ(message, "The host key of " + ipv4Name() + " has changed: \"" + knownHosts + "\" holds " +
                           test::keygenFingerprint(program.file("old_host_key.pub")) + ", the server now offers " +
                           test::keygenFingerprint(sshd->hostPublicKey()) +
                           ". Nothing was fetched. If the server's key was replaced on purpose, remove its line "
                           "from known_hosts and fetch again.");
    EXPECT_TRUE(answers.trustQuestions.empty());
    EXPECT_EQ(readFile(knownHosts), stored);
}

TEST_F(SftpAgainstSshd, LogsInWithKeysInBothFormatsAskingForAPassphraseOnlyWhenOneIsSet) {
    struct KeyCase {
        std::string name, type, passphrase, format;
    };
    for (const KeyCase& key : {KeyCase{"openssh_protected", "ed25519", "open sesame", ""},
                               KeyCase{"pem_plain", "ecdsa", "", "PEM"},
                               KeyCase{"pem_protected", "ecdsa", "open sesame", "PEM"}}) {
        const std::string path = program.file(key.name);
        test::makeKeyPair(path, key.type, key.passphrase, key.format);
        sshd->authorize(path + ".pub");
        SftpAccount withKey = account(remoteLog);
        withKey.keyFile = path;
        answers.passphraseQuestions.clear();
        answers.passphraseAnswer = key.passphrase;
        auto session = open(withKey);
        EXPECT_EQ(session->size(), static_cast<int64_t>(log.size())) << key.name;
        session->finish();
        EXPECT_EQ(answers.passphraseQuestions.size(), key.passphrase.empty() ? 0u : 1u) << key.name;
    }

    SftpAccount protectedKey = account(remoteLog);
    protectedKey.keyFile = program.file("openssh_protected");
    answers.passphraseAnswer = "wrong";
    EXPECT_EQ(failure(protectedKey), "The passphrase does not open the key file \"" + *protectedKey.keyFile + "\".");
    answers.passphraseAnswer.reset();
    EXPECT_EQ(failure(protectedKey),
              "The key file \"" + *protectedKey.keyFile + "\" is protected by a passphrase and none was given.");

    test::makeKeyPair(program.file("stranger"), "ed25519");
    SftpAccount wrongKey = account(remoteLog);
    wrongKey.keyFile = program.file("stranger");
    EXPECT_EQ(failure(wrongKey), "The server 127.0.0.1 did not accept the key file \"" + *wrongKey.keyFile +
                                     "\" for the user " + sshd->user() + ".");

    SftpAccount notAKey = account(remoteLog);
    notAKey.keyFile = remoteLog;
    EXPECT_EQ(failure(notAKey), "The key file \"" + remoteLog + "\" holds no private key in OpenSSH or PEM format.");
    SftpAccount noKeyFile = account(remoteLog);
    noKeyFile.keyFile = program.file("nothing here");
    EXPECT_EQ(failure(noKeyFile), "Cannot read the key file \"" + *noKeyFile.keyFile + "\".");
}

TEST_F(SftpAgainstSshd, ReportsAMissingLogAFolderAndARefusedConnection) {
    EXPECT_EQ(failure(account(remote.file("nothing.log"))),
              "The log file \"" + remote.file("nothing.log") + "\" does not exist on the server.");
    EXPECT_EQ(failure(account(remote.folder())), "The log file \"" + remote.folder() + "\" on the server is a folder.");

    SftpAccount closedPort = account(remoteLog);
    const uint16_t port = sshd->port();
    sshd.reset();
    EXPECT_EQ(failure(closedPort), "Could not connect to 127.0.0.1 port " + std::to_string(port) +
                                       ": Connection refused.");
}

TEST_F(SftpAgainstSshd, AServerThatDiesMidTransferLeavesAPrefixTheNextSessionContinues) {
    const std::string bigLog = binaryLog(20'000'000);
    writeFile(remoteLog, bigLog);
    std::string received;
    auto session = open(account(remoteLog));
    try {
        session->read(0, [&](std::string_view block) {
            if (received.empty()) sshd->signalSessions(SIGKILL);
            received += block;
            return true;
        });
        ADD_FAILURE() << "the transfer should fail";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The server closed the connection.");
    }
    ASSERT_LT(received.size(), bigLog.size());
    EXPECT_TRUE(received == bigLog.substr(0, received.size()));
    session.reset();

    auto next = open(account(remoteLog));
    received += readFrom(*next, static_cast<int64_t>(received.size()));
    EXPECT_TRUE(received == bigLog);
}

TEST_F(SftpAgainstSshd, AServerThatFallsSilentIsCutOffAtTheLimit) {
    writeFile(remoteLog, binaryLog(20'000'000));
    auto session = open(account(remoteLog), std::chrono::seconds(2));
    bool stopped = false;
    try {
        session->read(0, [&](std::string_view) {
            if (!stopped) sshd->signalSessions(SIGSTOP);
            stopped = true;
            return true;
        });
        ADD_FAILURE() << "the transfer should fail";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The server did not answer for 2 seconds; the fetch was stopped.");
    }
    session.reset();

    test::SilentServer silent;
    SftpAccount toSilence = account(remoteLog);
    toSilence.server = "127.0.0.1:" + std::to_string(silent.port());
    try {
        open(toSilence, std::chrono::seconds(2));
        ADD_FAILURE() << "the connection should fail";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The server did not answer for 2 seconds; the fetch was stopped.");
    }
}

class SftpAgainstSshdRefusingOpen : public SftpAgainstSshd {
    std::string sftpOptions() const override { return "-P open"; }
};

TEST_F(SftpAgainstSshdRefusingOpen, ReportsPermissionDenied) {
    auto session = open(account(remoteLog));
    EXPECT_EQ(session->size(), static_cast<int64_t>(log.size()));
    try {
        readFrom(*session, 0);
        ADD_FAILURE() << "the open should be refused";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The server does not let this user read the log file \"" + remoteLog + "\" (permission denied).");
    }
}

}  // namespace
}  // namespace gravmark
