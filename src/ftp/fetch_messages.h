#pragma once
// The two messages of a fetch, shown by the window and by the batch command alike.
namespace gravmark {

inline constexpr const char* kFtpConnectedMessage = "Connected, proceeding with download";
inline constexpr const char* kFtpReceivedMessage = "Received log file and saved as games_mp.log";

}  // namespace gravmark
