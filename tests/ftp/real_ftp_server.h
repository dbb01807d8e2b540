#pragma once
// Real FTP servers for the tests, each its own process on a loopback port with its own
// configuration in a temporary folder: pyftpdlib (tools/ftp_server.py), and vsftpd and
// ProFTPD in anonymous mode, run from the folder ./test unpacks them into (never an
// installed service). Each runs in a process group of its own, so that kill() stops it and
// the sessions it forked at once, as a crash would.
#include <QProcess>
#include <QStringList>
#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace gravmark::test {

// A certificate and its key made by openssl for "localhost", valid for a day.
struct TestCertificate {
    std::string certificate;  // PEM
    std::string key;          // PEM
    std::string combined;     // both, for servers that take one file
};
std::optional<TestCertificate> makeTestCertificate(const TempFolder& folder);

class RealFtpServer {
public:
    virtual ~RealFtpServer();
    RealFtpServer(const RealFtpServer&) = delete;
    RealFtpServer& operator=(const RealFtpServer&) = delete;

    // The server text for the settings, "127.0.0.1:port".
    std::string serverText() const { return "127.0.0.1:" + std::to_string(port_); }
    virtual std::string user() const = 0;
    virtual std::string password() const = 0;
    // Kills the server and its sessions without warning.
    void kill();

protected:
    RealFtpServer() = default;
    // Starts program in a process group of its own and waits until it takes connections.
    void start(const QString& program, const QStringList& arguments);
    // Waits until the server takes connections on port_.
    void waitUntilListening();

    QProcess process_;
    int port_ = 0;
};

// pyftpdlib as shipped: converts line ends in ASCII type and refuses REST there.
class PyftpdlibServer : public RealFtpServer {
public:
    // Nothing when python3 with pyftpdlib is missing.
    static std::optional<QString> python();
    PyftpdlibServer(const std::string& root, const std::string& certificateFile = {});
    std::string user() const override { return "gamer"; }
    std::string password() const override { return "secret"; }
};

// A real server that serves `root` to anonymous logins.
class AnonymousFtpServer : public RealFtpServer {
public:
    std::string user() const override { return "anonymous"; }
    std::string password() const override { return "clan@example.org"; }
};

// vsftpd; extraConfig holds further "key=value" lines.
class VsftpdServer : public AnonymousFtpServer {
public:
    // Whether ./test has unpacked vsftpd.
    static bool available();
    VsftpdServer(const TempFolder& folder, const std::string& root, const std::string& extraConfig = {});
};

// ProFTPD, with no write access; extraConfig holds further directive lines (mod_tls is
// loaded).
class ProftpdServer : public AnonymousFtpServer {
public:
    // Whether ./test has unpacked ProFTPD and its TLS module.
    static bool available();
    ProftpdServer(const TempFolder& folder, const std::string& root, const std::string& extraConfig = {});
};

}  // namespace gravmark::test
