// "get log ftp server": the fetch of the game server's log and its four notifications.
#include <limits>

#include "common/dialogs.h"
#include "common/error.h"
#include "common/program_folder.h"
#include "fetch/fetch_messages.h"
#include "fetch/transfer_progress.h"
#include "transport/log_fetch.h"
#include "ui/ftp_control_lock.h"
#include "ui/main_window.h"
#include "ui/progress_bar.h"

namespace gravmark {
namespace {

// The window shows a certificate it cannot verify once and asks; a certificate other than
// the accepted one is refused with both fingerprints.
void askAboutCertificate(const std::string& fingerprint, const std::string& acceptedBefore) {
    if (!acceptedBefore.empty()) throw Error(certificateChangedMessage(acceptedBefore, fingerprint));
    if (!dialogs().askYesNo("The server's certificate cannot be verified.\n\nIts fingerprint is " +
                            fingerprint + "\n\nTrust this server and fetch the log?"))
        throw Error("The server's certificate was not accepted: " + fingerprint);
}

// Under SFTP: a host key that known_hosts does not hold is shown by its fingerprint and
// asked about; a protected key file's passphrase is asked for.
SftpPrompts windowSftpPrompts() {
    SftpPrompts prompts;
    prompts.trustNewHostKey = [](const std::string& server, const std::string& fingerprint) {
        return dialogs().askYesNo("The host key of " + server + " is not known yet.\n\nIts fingerprint is " +
                                  fingerprint + "\n\nTrust this server and fetch the log?");
    };
    prompts.passphrase = [](const std::string& keyFile) {
        return dialogs().askSecret("Passphrase of the key file " + keyFile);
    };
    return prompts;
}

}  // namespace

void MainWindow::fetchLogFromServer() {
    FtpControlLock lock(*this);
    // The account as typed in the settings window, saved or not.
    fetchLogFile(settings_, programFolder(), fetchNotifications, askAboutCertificate, fetchLimits,
                 windowSftpPrompts());
    dialogs().showMessage(kFtpReceivedMessage);
    lock.release();
}

void MainWindow::onFetchConnected() { dialogs().showMessage(kFtpConnectedMessage); }

void MainWindow::onFetchBegins(int64_t remoteSize) {
    remoteLogSize = static_cast<int32_t>(std::min<int64_t>(remoteSize, std::numeric_limits<int32_t>::max()));
    startTransferProgress(progressBar->model(), remoteSize);
}

void MainWindow::onFetchProgress(int64_t receivedSoFar) {
    progressBar->model().setPartsComplete(receivedSoFar);
}

void MainWindow::onFetchEnds() { finishTransferProgress(progressBar->model()); }

}  // namespace gravmark
