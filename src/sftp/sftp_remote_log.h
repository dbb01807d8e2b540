#pragma once
// The remote log over SFTP (SSH's file transfer), with libssh. The session runs on a
// worker thread while the caller's thread waits in a local event loop; the host key check
// and the passphrase question are made on the caller's thread between the steps.
//
// Opening: connect, key exchange, the host key against known_hosts (known: go on; new:
// prompts.trustNewHostKey decides, a trusted key is added; changed or revoked: refused
// with the fingerprints), the key file (asking for its passphrase when it has one), the
// login, the SFTP subsystem. Any step may throw gravmark::Error with the user's text.
#include <memory>

#include "common/server_address.h"
#include "fetch/remote_log.h"
#include "sftp/session_worker.h"
#include "sftp/sftp_account.h"

namespace gravmark {

class SshConnection;
class SftpLogFile;
class KnownHosts;

class SftpRemoteLog : public RemoteLog {
public:
    SftpRemoteLog(const SftpAccount& account, const std::string& knownHostsPath, const SftpPrompts& prompts,
                  std::chrono::milliseconds silenceLimit = kSftpSilenceLimit);
    ~SftpRemoteLog() override;

    std::optional<int64_t> size() override;
    void read(int64_t offset, const std::function<bool(std::string_view block)>& receive) override;
    void finish() override;

private:
    void connect(const std::string& knownHostsPath, std::chrono::milliseconds limit);
    void checkHostKey(const KnownHosts& knownHosts, const SftpPrompts& prompts);
    void logIn(const SftpAccount& account, const SftpPrompts& prompts);

    ServerAddress address_;
    std::string serverText_;
    // Destroyed in reverse order: the worker thread ends before the session is freed.
    SharedSocket socket_;
    std::unique_ptr<SshConnection> connection_;
    std::unique_ptr<SftpLogFile> logFile_;
    SessionWorker worker_;
};

}  // namespace gravmark
