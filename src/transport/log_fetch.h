#pragma once
// One fetch of the game server's log into the program folder's "games_mp.log", as the
// menu entry "get log ftp server" and `gravmark-batch --fetch` run it: take the folder's
// fetch lock, connect and log in by the settings' protocol, bring the copy up to date by
// the continuation rules, end the session. Failures throw gravmark::Error with the text
// for the user; the copy is then as the continuation rules leave it.
#include <string>

#include "fetch/certificate_trust.h"
#include "fetch/fetch_notifications.h"
#include "fetch/fetch_time_limits.h"
#include "fetch/log_continuation.h"
#include "settings/settings_values.h"
#include "sftp/sftp_account.h"

namespace gravmark {

struct LogFetchResult {
    FetchOutcome outcome = FetchOutcome::UpToDate;
    std::string keptCopy;  // where a rotated copy was kept, empty when none was
};

// Under SFTP, sftpPrompts decide about a host key that the program folder's known_hosts
// does not hold and give a protected key file's passphrase; the data limit is the limit
// on the server's silence.
LogFetchResult fetchLogFile(const SettingsValues& settings, const std::string& programFolder,
                            const FetchNotifications& notifications, const TrustDecision& trust,
                            const FetchTimeLimits& limits = {}, const SftpPrompts& sftpPrompts = {});

}  // namespace gravmark
