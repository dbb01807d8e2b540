// "get log ftp server": the fetch of the game server's log and its four notifications.
#include <limits>

#include "app/ftp_control_lock.h"
#include "app/progress_bar.h"
#include "app/tform1.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/program_folder.h"
#include "fetch/fetch_messages.h"
#include "fetch/log_fetch.h"
#include "fetch/transfer_progress.h"
#include "settings/ui/tform3.h"

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

void TForm1::getlogfromBrom1Click() {
    FtpControlLock lock(*this);
    // The account as typed in the settings window, saved or not.
    fetchLogFile(Form3->values(), programFolder(), IdFTP1, askAboutCertificate, fetchLimits, windowSftpPrompts());
    dialogs().showMessage(kFtpReceivedMessage);
    lock.release();
}

void TForm1::IdFTP1Connected() { dialogs().showMessage(kFtpConnectedMessage); }

void TForm1::IdFTP1WorkBegin(int64_t remoteSize) {
    RemoteLogSize = static_cast<int32_t>(std::min<int64_t>(remoteSize, std::numeric_limits<int32_t>::max()));
    startTransferProgress(Progress->model(), remoteSize);
}

void TForm1::IdFTP1Work(int64_t receivedSoFar) { Progress->model().setPartsComplete(receivedSoFar); }

void TForm1::IdFTP1WorkEnd() { finishTransferProgress(Progress->model()); }

}  // namespace gravmark
