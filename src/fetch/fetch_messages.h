#pragma once
// The messages of a fetch, shown by the window and by the batch command alike.
#include <string>

namespace gravmark {

inline constexpr const char* kFtpConnectedMessage = "Connected, proceeding with download";
inline constexpr const char* kFtpReceivedMessage = "Received log file and saved as games_mp.log";
inline constexpr const char* kFetchUpToDateMessage = "games_mp.log is already up to date";

// A certificate the user has not accepted, and how the batch command accepts it.
inline std::string unverifiedCertificateMessage(const std::string& fingerprint) {
    return "The server's certificate cannot be verified; its fingerprint is " + fingerprint +
           ". To accept it: gravmark-batch --fetch --trust " + fingerprint;
}

}  // namespace gravmark
