#pragma once
// The FTP account the log is fetched from, as typed in the settings window
// (Edit1 to Edit4). The texts are used as they stand, without validation.
#include <string>

namespace gravmark {

struct FtpAccount {
    std::string server;  // "host", "host:port", "[IPv6 address]:port" or a bare IPv6 address
    std::string user;
    std::string password;
    std::string logFileName;  // relative to the account's root folder; may hold a folder part
};

}  // namespace gravmark
