#include "sftp/ssh_connection.h"

#include <QByteArray>

#include "common/error.h"
#include "platform/tcp_socket.h"

namespace gravmark {

namespace {

// A server that keeps asking is not answering our one password.
constexpr int kMaxKeyboardInteractiveRounds = 8;

}  // namespace

SshConnection::SshConnection(int fd, const ServerAddress& address, const std::string& knownHostsPath,
                             std::chrono::milliseconds limit, SharedSocket& socket)
    : session_(ssh_new()), fd_(fd), socket_(socket), serverName_(address.host) {
    if (!session_) {
        socket_.detach();
        platform::closeSocket(fd);
        throw Error("Cannot start an SSH session.");
    }
    const int port = address.port;
    const int processConfig = 0;  // ~/.ssh/config is the ssh command's, not ours
    // libssh's own limit only backs up the worker's: it never ends a wait before the
    // worker cuts the socket off, so that a silent server gets the worker's message.
    const long seconds = 2 * std::chrono::ceil<std::chrono::seconds>(limit).count() + 1;
    ssh_options_set(session_, SSH_OPTIONS_FD, &fd);
    ssh_options_set(session_, SSH_OPTIONS_HOST, address.host.c_str());
    ssh_options_set(session_, SSH_OPTIONS_PORT, &port);
    ssh_options_set(session_, SSH_OPTIONS_PROCESS_CONFIG, &processConfig);
    ssh_options_set(session_, SSH_OPTIONS_KNOWNHOSTS, knownHostsPath.c_str());
    ssh_options_set(session_, SSH_OPTIONS_GLOBAL_KNOWNHOSTS, knownHostsPath.c_str());
    ssh_options_set(session_, SSH_OPTIONS_TIMEOUT, &seconds);
    if (ssh_connect(session_) != SSH_OK) {
        const Error failure("The SSH connection to " + serverName_ + " failed: " + lastError());
        socket_.detach();
        ssh_free(session_);
        throw failure;
    }
}

SshConnection::~SshConnection() {
    socket_.detach();
    ssh_free(session_);
}

std::string SshConnection::lastError() const {
    const std::string text = ssh_get_error(session_);
    return text.empty() ? "the connection was lost" : text;
}

HostKey SshConnection::serverKey() const {
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(session_, &key) != SSH_OK)
        throw Error("The server " + serverName_ + " sent no host key.");
    char* base64 = nullptr;
    const int exported = ssh_pki_export_pubkey_base64(key, &base64);
    HostKey hostKey;
    hostKey.type = ssh_key_type_to_char(ssh_key_type(key));
    ssh_key_free(key);
    if (exported != SSH_OK) throw Error("The host key of " + serverName_ + " cannot be read.");
    hostKey.blob = QByteArray::fromBase64(base64).toStdString();
    ssh_string_free_char(base64);
    return hostKey;
}

void SshConnection::logIn(const std::string& user, ssh_key key, const std::string& keyFile,
                          const std::optional<std::string>& password) {
    // Every step names the same user: a server may refuse a login whose user changes.
    ssh_options_set(session_, SSH_OPTIONS_USER, user.c_str());
    int result = ssh_userauth_none(session_, nullptr);
    if (result == SSH_AUTH_SUCCESS) return;
    if (result == SSH_AUTH_ERROR) throw Error("The login at " + serverName_ + " failed: " + lastError());
    const int methods = ssh_userauth_list(session_, nullptr);
    if (key) {
        result = (methods & SSH_AUTH_METHOD_PUBLICKEY) ? ssh_userauth_publickey(session_, nullptr, key)
                                                       : SSH_AUTH_DENIED;
        if (result == SSH_AUTH_SUCCESS) return;
        if (result == SSH_AUTH_ERROR) throw Error("The login at " + serverName_ + " failed: " + lastError());
        if (!password)
            throw Error("The server " + serverName_ + " did not accept the key file \"" + keyFile +
                        "\" for the user " + user + ".");
    }
    if (!password)
        throw Error("The server " + serverName_ +
                    " asks for a login: give a password or a key file in the settings.");
    logInWithPassword(user, *password, methods);
}

void SshConnection::logInWithPassword(const std::string& user, const std::string& password, int methods) {
    if (methods & SSH_AUTH_METHOD_PASSWORD) {
        const int result = ssh_userauth_password(session_, nullptr, password.c_str());
        if (result == SSH_AUTH_SUCCESS) return;
        if (result == SSH_AUTH_ERROR) throw Error("The login at " + serverName_ + " failed: " + lastError());
        throw Error("The server " + serverName_ + " refused the password of the user " + user + ".");
    }
    if (methods & SSH_AUTH_METHOD_INTERACTIVE) return logInKeyboardInteractive(user, password);
    throw Error("The server " + serverName_ + " takes no password for the user " + user +
                "; give a key file in the settings.");
}

// Answers the server's prompts with the password, once; a prompt that shows what is typed
// asks for something other than a password, which the settings cannot answer.
void SshConnection::logInKeyboardInteractive(const std::string& user, const std::string& password) {
    bool answered = false;
    for (int round = 0; round < kMaxKeyboardInteractiveRounds; ++round) {
        const int result = ssh_userauth_kbdint(session_, nullptr, nullptr);
        if (result == SSH_AUTH_SUCCESS) return;
        if (result == SSH_AUTH_DENIED) break;
        if (result != SSH_AUTH_INFO) throw Error("The login at " + serverName_ + " failed: " + lastError());
        const int prompts = ssh_userauth_kbdint_getnprompts(session_);
        if (prompts > 0 && answered) break;
        for (int i = 0; i < prompts; ++i) {
            char echo = 0;
            const std::string prompt = ssh_userauth_kbdint_getprompt(session_, i, &echo);
            if (echo)
                throw Error("The server " + serverName_ + " asks at the login for more than a password (\"" +
                            prompt + "\").");
            ssh_userauth_kbdint_setanswer(session_, i, password.c_str());
        }
        answered = answered || prompts > 0;
    }
    throw Error("The server " + serverName_ + " refused the password of the user " + user + ".");
}

// libssh leaves a socket it was handed open at the goodbye (it closes it only when a
// session is freed without one), so the socket is closed here.
void SshConnection::disconnect() {
    ssh_disconnect(session_);
    socket_.detach();
    platform::closeSocket(fd_);
}

}  // namespace gravmark
