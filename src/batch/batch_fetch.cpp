#include "batch/batch_fetch.h"

#include "common/dialogs.h"
#include "common/error.h"
#include "fetch/fetch_messages.h"
#include "fetch/log_fetch.h"
#include "fetch/transfer_progress.h"

namespace gravmark {

void fetchLog(const SettingsValues& settings, const std::string& programFolder, Progress& progress,
              const std::optional<std::string>& trust) {
    if (settings.server == kNotConfigured)
        throw Error("No FTP server in the settings file: its server is " + settings.server);
    FetchNotifications notifications;
    notifications.onConnected = [] { dialogs().showMessage(kFtpConnectedMessage); };
    notifications.onWorkBegin = [&](int64_t remoteSize) { startTransferProgress(progress, remoteSize); };
    notifications.onWork = [&](int64_t receivedSoFar) { progress.setPartsComplete(receivedSoFar); };
    notifications.onWorkEnd = [&] { finishTransferProgress(progress); };
    const auto decide = [&](const std::string& fingerprint, const std::string& acceptedBefore) {
        if (trust == fingerprint) return;
        if (!acceptedBefore.empty())
            throw Error(certificateChangedMessage(acceptedBefore, fingerprint) +
                        " To accept the new one: gravmark-batch --fetch --trust " + fingerprint);
        throw Error(unverifiedCertificateMessage(fingerprint));
    };
    const LogFetchResult result = fetchLogFile(settings, programFolder, notifications, decide);
    if (result.outcome == FetchOutcome::UpToDate) {
        dialogs().showMessage(kFetchUpToDateMessage);
        return;
    }
    dialogs().showMessage(kFtpReceivedMessage);
    if (!result.keptCopy.empty())
        dialogs().showMessage("The server's log was rotated; the old copy is kept as " + result.keptCopy);
}

}  // namespace gravmark
