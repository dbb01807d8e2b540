#pragma once
// The FTP account the log is fetched from, as typed in the settings window
// (Edit1 to Edit4, "Protocol", "Passive mode"). The texts are used as they stand.
#include <string>

namespace gravmark {

struct FtpAccount {
    std::string server;  // "host", "host:port", "[IPv6 address]:port" or a bare IPv6 address
    std::string user;
    std::string password;
    // As it stands when it starts with "/", else relative to the folder the server logs
    // the user into; may hold a folder part.
    std::string logFileName;
    bool passive = true;
    bool tls = false;  // FTP over TLS: AUTH TLS, PBSZ 0, PROT P before the login
};

}  // namespace gravmark
