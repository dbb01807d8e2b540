#pragma once
// The host keys the user trusts: the program folder's "known_hosts", in OpenSSH's format,
// so lines can be copied from and to ~/.ssh/known_hosts. One key a line:
//   names type base64-key [comment]
// where names is a comma-separated list of host names or addresses, "[host]:port" for a
// port other than 22, or one hashed name "|1|salt|hmac" as `ssh-keygen -H` writes it.
// Names match exactly, without regard to case; wildcard patterns are not read. Lines
// marked "@revoked" name keys that are refused; "@cert-authority" lines and comments
// ("#") are skipped.
//
// A host is trusted when one of its lines holds the offered key. A host with lines but
// none holding the offered key has changed its key: that is refused, never asked about.
// The file is only ever replaced whole (written beside it, then renamed).
#include <cstdint>
#include <string>
#include <vector>

#include "sftp/host_key.h"

namespace gravmark {

enum class HostKeyStatus { Known, Unknown, Changed, Revoked };

struct HostKeyCheck {
    HostKeyStatus status = HostKeyStatus::Unknown;
    std::vector<std::string> knownFingerprints;  // of the host's other keys, when Changed
};

class KnownHosts {
public:
    explicit KnownHosts(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    HostKeyCheck check(const std::string& host, uint16_t port, const HostKey& offered) const;

    // Adds a line for the key; the file is created when missing.
    void add(const std::string& host, uint16_t port, const HostKey& key) const;

private:
    std::string path_;
};

// The name a known_hosts line gives the host: "host", or "[host]:port" off port 22.
std::string knownHostsName(const std::string& host, uint16_t port);

}  // namespace gravmark
