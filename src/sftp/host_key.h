#pragma once
// A server's public host key as SSH carries it and known_hosts keeps it: the key type
// name ("ssh-ed25519", "ecdsa-sha2-nistp256", "ssh-rsa") and the key blob, the bytes a
// known_hosts line holds in base64.
#include <string>

namespace gravmark {

struct HostKey {
    std::string type;
    std::string blob;

    bool operator==(const HostKey&) const = default;
};

// OpenSSH's form of the key's fingerprint: "SHA256:" followed by the base64 of the
// SHA-256 digest of the blob, without the trailing "=".
std::string fingerprint(const HostKey& key);

}  // namespace gravmark
