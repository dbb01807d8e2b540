#pragma once
// Fetches the game server's log by FTP into the local copy, continuing it from its end
// when the server can restart a transfer. This is the whole exchange behind the menu
// entry "get log ftp server"; the window around it only switches its controls, shows
// the messages and drives the progress bar from the notifications.
//
// The exchange: connect (onConnected runs once the connection stands, before the
// greeting is read), greeting 220, USER (230, or 331 then PASS 230), "TYPE A" 200, SYST
// (200, 215 or 500), SIZE of the remote file, the restart probe "REST 1" / "REST 0"
// (first download of the run only; 350 to "REST 1" means the server can restart), the
// PORT line (200), "REST <local size>" (350, only when the server can restart), RETR
// (125, 150 or 154), the data, the end reply (225, 226 or 250; after 426 or 450 one
// more, 225 or 226). The control connection is then dropped without QUIT.
//
// Every wait lets the event loop run (see NetworkWait); the controls that must not be
// used meanwhile are the caller's business. Failures throw gravmark::Error with the text
// for the user. Whatever ends a fetch, the connections and the listener are closed and
// the bytes received so far stay in the local file, so the fetch can simply be repeated.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ftp/ftp_account.h"
#include "ftp/ftp_time_limits.h"

namespace gravmark {

class FtpControlConnection;

class LogFetcher {
public:
    explicit LogFetcher(FtpTimeLimits limits = {}) : limits_(limits) {}

    // Notifications; each may be left empty.
    std::function<void()> onConnected;
    std::function<void(int64_t announced)> onWorkBegin;  // a download always announces 0
    std::function<void(int64_t receivedSoFar)> onWork;   // counts this transfer's bytes only
    std::function<void()> onWorkEnd;

    // Fetches "/" + logFileName into localPath. remoteLogSize gets the size the server
    // reports (-1 when it reports none) before the download starts. Returns true when
    // the file was received, false when the server had dropped the connection right
    // after the login (the fetch then stops without a message).
    bool fetch(const FtpAccount& account, const std::string& localPath, int32_t& remoteLogSize);

private:
    void download(FtpControlConnection& control, const std::string& remoteFile, const std::string& localPath);

    FtpTimeLimits limits_;
    std::optional<bool> canRestart_;  // asked at the first download of the run, then kept
};

}  // namespace gravmark
