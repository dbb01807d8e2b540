#include "fetch/log_fetch.h"

#include <memory>

#include "common/error.h"
#include "fetch/fetch_lock.h"
#include "ftp/ftp_remote_log.h"
#include "settings/ini_file.h"

namespace gravmark {
namespace {

std::unique_ptr<RemoteLog> connectTo(const SettingsValues& settings, const FetchNotifications& notifications,
                                     const TrustDecision& trust, const FetchTimeLimits& limits) {
    if (settings.protocol == "ftp" || settings.protocol == "ftps") {
        const FtpAccount account{settings.server,  settings.user,    settings.pass,
                                 settings.logfile, settings.passive, settings.protocol == "ftps"};
        const std::string settingsFile = settingsFileName();
        return std::make_unique<FtpRemoteLog>(
            account, limits, notifications.onConnected,
            [&](const std::string& fingerprint) { checkCertificate(settingsFile, fingerprint, trust); });
    }
    throw Error("Unknown protocol \"" + settings.protocol +
                "\" in the settings; choose one in the settings window.");
}

}  // namespace

LogFetchResult fetchLogFile(const SettingsValues& settings, const std::string& programFolder,
                            const FetchNotifications& notifications, const TrustDecision& trust,
                            const FetchTimeLimits& limits) {
    const FetchLock lock(programFolder, limits.lock);
    const std::unique_ptr<RemoteLog> remote = connectTo(settings, notifications, trust, limits);
    LogContinuation continuation(programFolder + "games_mp.log", notifications);
    const FetchOutcome outcome = continuation.run(*remote);
    remote->finish();
    return {outcome, continuation.keptCopy()};
}

}  // namespace gravmark
