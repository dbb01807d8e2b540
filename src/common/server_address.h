#pragma once
// Where the server listens, read from the server text of the settings.
// "host:port" and "[IPv6 address]:port" name a port; a plain host name, an IPv4 address,
// a bracketed or bare IPv6 address use the protocol's own port (21 for FTP, 22 for SFTP).
// A text whose port part is not a number from 1 to 65535 is taken whole as the host, so
// the lookup reports it.
#include <cstdint>
#include <string>

namespace gravmark {

struct ServerAddress {
    std::string host;
    uint16_t port = 0;
};

ServerAddress parseServerAddress(const std::string& server, uint16_t defaultPort);

}  // namespace gravmark
