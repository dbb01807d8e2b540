// The scheduled-fetch story against real FTP servers on loopback (pyftpdlib, vsftpd in
// several set-ups), comparing the local copy byte for byte at every step.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "common/error.h"
#include "common/program_folder.h"
#include "fetch/certificate_trust.h"
#include "real_ftp_server.h"
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

// CR LF lines, as a game server on Windows writes them: a transfer that converted line
// ends would double the CRs.
std::string crLfLog(const std::string& log) {
    std::string converted;
    for (const char c : log) converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return converted;
}

class ServerStory : public testing::Test {
protected:
    using StartServer = std::function<std::unique_ptr<test::RealFtpServer>()>;

    void SetUp() override { setProgramFolder(local.folder()); }

    FetchOutcome fetch() {
        settings.server = server->serverText();
        settings.user = server->user();
        settings.password = server->password();
        return fetchLogFile(settings, local.folder(), notifications, trust, {10s, 10s, 10s, 10s}).outcome;
    }
    void publish(const std::string& content) { writeFile(remotePath, content); }
    std::string copy() const { return readFile(local.file("games_mp.log")); }

    void runStory(const StartServer& start) {
        server = start();
        test::runFetchStory({[this](const std::string& log) { publish(log); }, [this] { return fetch(); },
                             [this] { server->kill(); }, [this, start] { server = start(); }, &notifications,
                             local.file("games_mp.log")},
                            crLfLog(test::storyLog()));
    }

    TempFolder serverFolder;
    TempFolder serverRoot;
    TempFolder local;
    std::string remotePath = serverRoot.file("games_mp.log");
    SettingsValues settings;
    FetchNotifications notifications;
    TrustDecision trust = [](const std::string&, const std::string&) { throw Error("not trusted"); };
    std::unique_ptr<test::RealFtpServer> server;
};

TEST_F(ServerStory, Pyftpdlib) {
    if (!test::PyftpdlibServer::python()) GTEST_SKIP() << "python3 with pyftpdlib is missing";
    runStory([&] { return std::make_unique<test::PyftpdlibServer>(serverRoot.path().string()); });

    settings.passive = false;
    publish("0:00 InitGame\r\n");
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(copy(), "0:00 InitGame\r\n");
}

class VsftpdStory : public ServerStory, public testing::WithParamInterface<const char*> {};

TEST_P(VsftpdStory, Anonymous) {
    if (!test::VsftpdServer::available()) GTEST_SKIP() << "vsftpd is not unpacked: run ./test";
    const std::string extra = GetParam();
    settings.passive = extra != "pasv_enable=NO\n";
    runStory([&] {
        return std::make_unique<test::VsftpdServer>(serverFolder, serverRoot.path().string(), extra);
    });
}

INSTANTIATE_TEST_SUITE_P(SetUps, VsftpdStory,
                         testing::Values("", "ascii_download_enable=YES\n", "port_enable=NO\n",
                                         "pasv_enable=NO\n"));

// FTP over TLS with a certificate the test made: accepted once by its fingerprint, which
// the settings file then keeps.
class TlsStory : public ServerStory {
protected:
    void SetUp() override {
        ServerStory::SetUp();
        certificate = test::makeTestCertificate(serverFolder);
        if (!certificate) GTEST_SKIP() << "openssl cannot make a certificate";
        settings.protocol = "ftps";
        trust = [this](const std::string& fingerprint, const std::string& acceptedBefore) {
            EXPECT_EQ(acceptedBefore, "");
            asked.push_back(fingerprint);
        };
    }
    std::string keptFingerprint() const {
        return readSettings(local.file("GravmarkParser.INI")).tlsFingerprint;
    }

    std::optional<test::TestCertificate> certificate;
    std::vector<std::string> asked;
};

TEST_F(TlsStory, Vsftpd) {
    if (!test::VsftpdServer::available()) GTEST_SKIP() << "vsftpd is not unpacked: run ./test";
    const std::string tls =
        "ssl_enable=YES\nallow_anon_ssl=YES\nforce_anon_logins_ssl=YES\n"
        "force_anon_data_ssl=YES\nssl_ciphers=HIGH\nrsa_cert_file=" +
        certificate->certificate + "\nrsa_private_key_file=" + certificate->key + "\n";
    runStory(
        [&] { return std::make_unique<test::VsftpdServer>(serverFolder, serverRoot.path().string(), tls); });
    ASSERT_EQ(asked.size(), 1u) << "asked once, then the kept fingerprint answers";
    EXPECT_EQ(keptFingerprint(), asked[0]);
    EXPECT_EQ(asked[0].size(), 7u + 64u);
    EXPECT_TRUE(asked[0].starts_with("SHA256:"));

    // The same server asked for plain FTP.
    settings.protocol = "ftp";
    try {
        fetch();
        ADD_FAILURE() << "the login went through in clear text";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The server requires TLS; choose FTP over TLS in the settings.");
    }
}

// A rate-limited server that requires TLS: when a rotated log turns out longer than the
// copy, the transfer to compare is left while the server is still sending, and the server
// ends the session over a data connection that was cut off rather than closed.
TEST_F(TlsStory, RateLimitedProftpd) {
    if (!test::ProftpdServer::available()) GTEST_SKIP() << "ProFTPD is not unpacked: run ./test";
    const std::string tls = "TLSEngine on\nTLSRequired on\nTLSVerifyClient off\nTLSRSACertificateFile " +
                            certificate->certificate + "\nTLSRSACertificateKeyFile " + certificate->key +
                            "\nTransferRate RETR 40000\n";
    runStory(
        [&] { return std::make_unique<test::ProftpdServer>(serverFolder, serverRoot.path().string(), tls); });
}

TEST_F(TlsStory, PyftpdlibAndACertificateThatChanged) {
    if (!test::PyftpdlibServer::python()) GTEST_SKIP() << "python3 with pyftpdlib is missing";
    runStory([&] {
        return std::make_unique<test::PyftpdlibServer>(serverRoot.path().string(), certificate->combined);
    });
    ASSERT_EQ(asked.size(), 1u);

    // Another certificate: refused, with both fingerprints, and the kept one stays.
    const TempFolder otherFolder;
    const auto other = test::makeTestCertificate(otherFolder);
    ASSERT_TRUE(other);
    server = std::make_unique<test::PyftpdlibServer>(serverRoot.path().string(), other->combined);
    std::string shown;
    trust = [&](const std::string& fingerprint, const std::string& acceptedBefore) {
        shown = fingerprint;
        throw Error(certificateChangedMessage(acceptedBefore, fingerprint));
    };
    try {
        fetch();
        ADD_FAILURE() << "a changed certificate was accepted";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), certificateChangedMessage(asked[0], shown));
        EXPECT_NE(shown, asked[0]);
    }
    EXPECT_EQ(keptFingerprint(), asked[0]);
}

TEST_F(ServerStory, TheOtherModeRefusedIsNamed) {
    if (!test::VsftpdServer::available()) GTEST_SKIP() << "vsftpd is not unpacked: run ./test";
    publish("0:00 InitGame\r\n");
    server =
        std::make_unique<test::VsftpdServer>(serverFolder, serverRoot.path().string(), "pasv_enable=NO\n");
    try {
        fetch();
        ADD_FAILURE() << "passive mode was not refused";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The server refused passive mode; untick Passive mode in the settings.");
    }
    EXPECT_FALSE(std::filesystem::exists(local.file("games_mp.log")));
}

}  // namespace
}  // namespace gravmark
