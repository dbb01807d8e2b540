#include "batch/batch_fetch.h"

#include <cstdlib>

#include "common/dialogs.h"
#include "common/error.h"
#include "fetch/fetch_messages.h"
#include "fetch/transfer_progress.h"
#include "transport/log_fetch.h"

namespace gravmark {

namespace {

// --trust named another fingerprint than the one the server shows.
std::string notTheTrustedOne(const std::string& whose, const std::string& fingerprint,
                             const std::string& trusted) {
    return whose + " has the fingerprint " + fingerprint + ", not " + trusted +
           " as given with --trust. Nothing was fetched.";
}

// The batch asks nobody: a host key is trusted when it is the one --trust names, and a
// protected key file opens with the passphrase from the environment.
SftpPrompts batchSftpPrompts(const std::optional<std::string>& trust) {
    SftpPrompts prompts;
    prompts.trustNewHostKey = [trust](const std::string& server, const std::string& fingerprint) {
        if (trust == fingerprint) return true;
        if (trust) throw Error(notTheTrustedOne("The host key of " + server, fingerprint, *trust));
        throw Error(
            "The host key of " + server + " is not in known_hosts; its fingerprint is " + fingerprint +
            ". If that is the server's key, accept it with: gravmark-batch --fetch --trust " + fingerprint);
    };
    prompts.passphrase = [](const std::string& keyFile) -> std::optional<std::string> {
        if (const char* passphrase = std::getenv("GRAVMARK_KEY_PASSPHRASE")) return passphrase;
        throw Error("The key file \"" + keyFile +
                    "\" is protected by a passphrase; give it in the environment variable "
                    "GRAVMARK_KEY_PASSPHRASE.");
    };
    return prompts;
}

}  // namespace

void fetchLog(const SettingsValues& settings, const std::string& programFolder, Progress& progress,
              const std::optional<std::string>& trust, FetchTelling telling) {
    const bool everyStep = telling == FetchTelling::EveryStep;
    if (settings.server == kNotConfigured)
        throw Error("No FTP server in the settings file: its server is " + settings.server);
    FetchNotifications notifications;
    if (everyStep) notifications.onConnected = [] { dialogs().showMessage(kFtpConnectedMessage); };
    notifications.onWorkBegin = [&](int64_t remoteSize) { startTransferProgress(progress, remoteSize); };
    notifications.onWork = [&](int64_t receivedSoFar) { progress.setPartsComplete(receivedSoFar); };
    notifications.onWorkEnd = [&] { finishTransferProgress(progress); };
    const LogFetchResult result =
        fetchLogFile(settings, programFolder, notifications, batchCertificateDecision(settings.server, trust),
                     {}, batchSftpPrompts(trust));
    if (result.outcome == FetchOutcome::UpToDate) {
        if (everyStep) dialogs().showMessage(kFetchUpToDateMessage);
        return;
    }
    if (everyStep) dialogs().showMessage(kFtpReceivedMessage);
    if (!result.keptCopy.empty())
        dialogs().showMessage("The server's log was rotated; the old copy is kept as " + result.keptCopy);
}

TrustDecision batchCertificateDecision(const std::string& server, const std::optional<std::string>& trust) {
    return [server, trust](const std::string& fingerprint, const std::string& acceptedBefore) {
        if (trust == fingerprint) return;
        if (trust) throw Error(notTheTrustedOne("The certificate of " + server, fingerprint, *trust));
        if (!acceptedBefore.empty())
            throw Error(certificateChangedMessage(acceptedBefore, fingerprint) +
                        " To accept the new one: gravmark-batch --fetch --trust " + fingerprint);
        throw Error(unverifiedCertificateMessage(fingerprint));
    };
}

}  // namespace gravmark
