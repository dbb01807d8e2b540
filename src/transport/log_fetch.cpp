#include "transport/log_fetch.h"

#include <memory>

#include "common/error.h"
#include "fetch/fetch_lock.h"
#include "ftp/ftp_remote_log.h"
#include "settings/ini_file.h"
#include "sftp/sftp_remote_log.h"

namespace gravmark {
namespace {

// A setting left at "<none>" (or empty) is not used for the login.
std::optional<std::string> configured(const std::string& value) {
    if (value.empty() || value == kNotConfigured) return std::nullopt;
    return value;
}

std::unique_ptr<RemoteLog> connectTo(const SettingsValues& settings, const std::string& programFolder,
                                     const FetchNotifications& notifications, const TrustDecision& trust,
                                     const FetchTimeLimits& limits, const SftpPrompts& sftpPrompts) {
    if (settings.protocol == "sftp") {
        const SftpAccount account{settings.server, settings.user, configured(settings.password),
                                  configured(settings.keyFile), settings.logFile};
        SftpPrompts prompts = sftpPrompts;
        prompts.connected = notifications.onConnected;
        return std::make_unique<SftpRemoteLog>(account, programFolder + "known_hosts", prompts, limits.data);
    }
    if (settings.protocol == "ftp" || settings.protocol == "ftps") {
        const FtpAccount account{settings.server,  settings.user,    settings.password,
                                 settings.logFile, settings.passive, settings.protocol == "ftps"};
        // Called again if the session has to log in anew, after this function has returned.
        return std::make_unique<FtpRemoteLog>(
            account, limits, notifications.onConnected,
            [settingsFile = settingsFileName(), &trust](const std::string& fingerprint) {
                checkCertificate(settingsFile, fingerprint, trust);
            });
    }
    throw Error("Unknown protocol \"" + settings.protocol +
                "\" in the settings; choose one in the settings window.");
}

}  // namespace

LogFetchResult fetchLogFile(const SettingsValues& settings, const std::string& programFolder,
                            const FetchNotifications& notifications, const TrustDecision& trust,
                            const FetchTimeLimits& limits, const SftpPrompts& sftpPrompts) {
    const FetchLock lock(programFolder, limits.lock);
    const std::unique_ptr<RemoteLog> remote =
        connectTo(settings, programFolder, notifications, trust, limits, sftpPrompts);
    LogContinuation continuation(programFolder + "games_mp.log", notifications);
    const FetchOutcome outcome = continuation.run(*remote);
    remote->finish();
    return {outcome, continuation.keptCopy()};
}

}  // namespace gravmark
