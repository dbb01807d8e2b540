#pragma once
// The private key file of a key login: OpenSSH's own format or PEM, with or without a
// passphrase (libssh reads both).
#include <libssh/libssh.h>

#include <memory>
#include <optional>
#include <string>

namespace gravmark {

struct SshKeyFree {
    void operator()(ssh_key key) const { ssh_key_free(key); }
};
using SshKey = std::unique_ptr<std::remove_pointer_t<ssh_key>, SshKeyFree>;

// The key in the file, or nothing when the key is protected by a passphrase and none was
// given. Throws gravmark::Error when the file cannot be read, holds no private key, or the
// passphrase given does not open it.
std::optional<SshKey> loadPrivateKey(const std::string& path, const std::optional<std::string>& passphrase);

}  // namespace gravmark
