#pragma once
// SSH servers for the SFTP tests, each started on loopback with its own configuration in
// a temporary folder and stopped when the object goes:
// - OpenSSH's sshd, run from the folder ./test unpacks it into: key logins on 127.0.0.1
//   and ::1 for the user running the tests (for root: nobody, see user());
// - a paramiko SFTP server (tools/sftp_server.py): password or keyboard-interactive logins.
// Nothing of the machine's own SSH set-up (accounts, ~/.ssh, the sshd service) is used or changed.
#include <sys/types.h>

#include <QProcess>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace gravmark::test {

// Makes a key pair with ssh-keygen: `path` and `path`.pub. format "PEM" writes the old
// PEM form, anything else OpenSSH's own. An empty passphrase leaves the key unprotected.
void makeKeyPair(const std::string& path, const std::string& type, const std::string& passphrase = "",
                 const std::string& format = "");

// The SHA-256 fingerprint ssh-keygen gives for a public key file ("SHA256:...").
std::string keygenFingerprint(const std::string& publicKeyPath);

// Why a server cannot run here, or nothing when it can.
std::optional<std::string> sshdMissing();
std::optional<std::string> paramikoMissing();

class Sshd {
public:
    // sftpOptions are given to the server's internal-sftp (for instance "-P open" to
    // refuse every file open as "permission denied").
    explicit Sshd(const std::string& sftpOptions = "");
    ~Sshd();
    Sshd(const Sshd&) = delete;
    Sshd& operator=(const Sshd&) = delete;

    uint16_t port() const { return port_; }
    // The one user sshd lets in: the one running the tests, or nobody when that is root.
    std::string user() const;
    // A key sshd lets in, and the public half of sshd's own host key.
    std::string clientKey() const { return folder_.file("client_key"); }
    std::string hostPublicKey() const { return folder_.file("host_key.pub"); }
    // Adds a public key to those that may log in.
    void authorize(const std::string& publicKeyPath) const;

    // Signals the per-connection processes (SIGSTOP: the server stops answering;
    // SIGKILL: the server dies mid-session).
    void signalSessions(int signal) const;
    // Ends the whole server at once, sessions included.
    void kill();

private:
    TempFolder folder_;
    uint16_t port_ = 0;
    QProcess process_;
    std::string log_;
};

class ParamikoSftpServer {
public:
    // method: "password" or "keyboard-interactive".
    ParamikoSftpServer(const std::string& root, const std::string& user, const std::string& password,
                       const std::string& method);
    ~ParamikoSftpServer();

    uint16_t port() const { return port_; }

private:
    QProcess process_;
    uint16_t port_ = 0;
};

// A TCP listener that takes connections and never says a word.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    uint16_t port() const { return port_; }

private:
    int fd_ = -1;
    uint16_t port_ = 0;
};

}  // namespace gravmark::test
