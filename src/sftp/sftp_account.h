#pragma once
// What an SFTP fetch needs to know: the account as the settings give it, and how the
// program asks the user (the window asks in boxes, the batch answers from its options
// and the environment).
#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace gravmark {

struct SftpAccount {
    std::string server;  // "host", "host:port" or "[IPv6 address]:port"; port 22 when none is named
    std::string user;
    std::optional<std::string> password;
    std::optional<std::string> keyFile;  // a private key, OpenSSH or PEM format
    std::string logFileName;             // absolute with a leading "/", else from the login folder
};

struct SftpPrompts {
    // The host key was accepted and the login went through; may be left empty.
    std::function<void()> connected;
    // The server offers a host key that known_hosts does not hold: true to trust it (it is
    // then added). May throw instead, with the text that says why the fetch stops.
    std::function<bool(const std::string& server, const std::string& fingerprint)> trustNewHostKey;
    // The key file is protected: its passphrase, or nothing to give up.
    std::function<std::optional<std::string>(const std::string& keyFile)> passphrase;
};

// The limit on a server's silence; tests shorten it.
inline constexpr std::chrono::milliseconds kSftpSilenceLimit{60'000};

}  // namespace gravmark
