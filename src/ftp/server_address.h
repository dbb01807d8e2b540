#pragma once
// Where the FTP server listens, read from the server text of the settings.
// "host:port" and "[IPv6 address]:port" name a port; a plain host name, an IPv4 address,
// a bracketed or bare IPv6 address use the FTP port 21. A text whose port part is not a
// number from 1 to 65535 is taken whole as the host, so the lookup reports it.
#include <cstdint>
#include <string>

namespace gravmark {

struct ServerAddress {
    std::string host;
    uint16_t port = 21;
};

ServerAddress parseServerAddress(const std::string& server);

}  // namespace gravmark
