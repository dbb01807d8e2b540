#include "sftp/sftp_remote_log.h"

#include "common/error.h"
#include "sftp/known_hosts.h"
#include "sftp/private_key.h"
#include "sftp/sftp_log_file.h"
#include "sftp/ssh_connection.h"
#include "sftp/tcp_connect.h"

namespace gravmark {

namespace {

std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts) all += (all.empty() ? "" : ", ") + text;
    return all;
}

}  // namespace

SftpRemoteLog::SftpRemoteLog(const SftpAccount& account, const std::string& knownHostsPath,
                             const SftpPrompts& prompts, std::chrono::milliseconds silenceLimit)
    : address_(parseServerAddress(account.server, 22)),
      serverText_(knownHostsName(address_.host, address_.port)),
      worker_(silenceLimit, socket_) {
    connect(knownHostsPath, silenceLimit);
    checkHostKey(KnownHosts(knownHostsPath), prompts);
    logIn(account, prompts);
    if (prompts.connected) prompts.connected();
    worker_.run([&](auto&) { logFile_ = std::make_unique<SftpLogFile>(*connection_, account.logFileName); });
}

SftpRemoteLog::~SftpRemoteLog() {
    // A session not finished cleanly is cut off, so the worker's last step cannot wait.
    if (connection_) socket_.cut();
}

void SftpRemoteLog::connect(const std::string& knownHostsPath, std::chrono::milliseconds limit) {
    worker_.run([&](auto&) {
        const int fd = connectTcp(address_, limit, socket_);
        connection_ = std::make_unique<SshConnection>(fd, address_, knownHostsPath, limit, socket_);
    });
}

void SftpRemoteLog::checkHostKey(const KnownHosts& knownHosts, const SftpPrompts& prompts) {
    const HostKey offered = connection_->serverKey();
    const std::string offeredFingerprint = fingerprint(offered);
    const HostKeyCheck check = knownHosts.check(address_.host, address_.port, offered);
    switch (check.status) {
        case HostKeyStatus::Known:
            return;
        case HostKeyStatus::Changed:
            throw Error("The host key of " + serverText_ + " has changed: \"" + knownHosts.path() + "\" holds " +
                        joined(check.knownFingerprints) + ", the server now offers " + offeredFingerprint +
                        ". Nothing was fetched. If the server's key was replaced on purpose, remove its line "
                        "from known_hosts and fetch again.");
        case HostKeyStatus::Revoked:
            throw Error("The host key " + offeredFingerprint + " of " + serverText_ + " is marked revoked in \"" +
                        knownHosts.path() + "\". Nothing was fetched.");
        case HostKeyStatus::Unknown:
            if (!prompts.trustNewHostKey(serverText_, offeredFingerprint))
                throw Error("The host key " + offeredFingerprint + " of " + serverText_ +
                            " was not trusted. Nothing was fetched.");
            knownHosts.add(address_.host, address_.port, offered);
    }
}

void SftpRemoteLog::logIn(const SftpAccount& account, const SftpPrompts& prompts) {
    std::optional<SshKey> key;
    if (account.keyFile) {
        const std::string& keyFile = *account.keyFile;
        worker_.run([&](auto&) { key = loadPrivateKey(keyFile, std::nullopt); });
        if (!key) {
            const std::optional<std::string> passphrase = prompts.passphrase(keyFile);
            if (!passphrase)
                throw Error("The key file \"" + keyFile + "\" is protected by a passphrase and none was given.");
            worker_.run([&](auto&) { key = loadPrivateKey(keyFile, passphrase); });
        }
    }
    worker_.run([&](auto&) {
        connection_->logIn(account.user, key ? key->get() : nullptr, account.keyFile.value_or(""),
                           account.password);
    });
}

std::optional<int64_t> SftpRemoteLog::size() {
    std::optional<int64_t> result;
    worker_.run([&](auto&) { result = logFile_->size(); });
    return result;
}

void SftpRemoteLog::read(int64_t offset, const std::function<bool(std::string_view block)>& receive) {
    worker_.run([&](const SessionWorker::Deliver& deliver) { logFile_->read(offset, deliver); }, receive);
}

void SftpRemoteLog::finish() {
    worker_.run([&](auto&) {
        logFile_.reset();
        connection_->disconnect();
        connection_.reset();
    });
}

}  // namespace gravmark
