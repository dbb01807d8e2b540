#pragma once
// One SSH session over a connected socket: the key exchange, the server's host key and
// the login. Used on the session's worker thread only (SessionWorker); the checks that
// need the user (is the host key trusted, the key's passphrase) are made by the caller
// between the steps.
#include <libssh/libssh.h>

#include <chrono>
#include <optional>
#include <string>

#include "common/server_address.h"
#include "sftp/host_key.h"
#include "sftp/shared_socket.h"

namespace gravmark {

class SshConnection {
public:
    // Runs the key exchange over fd, which the session then owns (libssh closes it).
    // knownHostsPath only orders the host key types asked for, so that a server whose
    // key is known is asked for that key's type; it is not trusted from here.
    SshConnection(int fd, const ServerAddress& address, const std::string& knownHostsPath,
                  std::chrono::milliseconds limit, SharedSocket& socket);
    ~SshConnection();
    SshConnection(const SshConnection&) = delete;
    SshConnection& operator=(const SshConnection&) = delete;

    HostKey serverKey() const;

    // The login: none first (some servers let in without more), then the key when one is
    // given, then the password (plain, or keyboard-interactive answering the password
    // prompt). Throws with a message naming what the server refused.
    void logIn(const std::string& user, ssh_key key, const std::string& keyFile,
               const std::optional<std::string>& password);

    ssh_session session() const { return session_; }
    // The text of the session's last failure.
    std::string lastError() const;

    // Says goodbye to the server; the session is then closed.
    void disconnect();

private:
    void logInWithPassword(const std::string& user, const std::string& password, int methods);
    void logInKeyboardInteractive(const std::string& user, const std::string& password);

    ssh_session session_;
    int fd_;
    SharedSocket& socket_;
    std::string serverName_;
};

}  // namespace gravmark
