// "get log ftp server": the fetch of the game server's log and its four notifications.
#include "app/ftp_control_lock.h"
#include "app/progress_bar.h"
#include "app/tform1.h"
#include "common/dialogs.h"
#include "common/program_folder.h"
#include "ftp/fetch_messages.h"
#include "ftp/transfer_progress.h"
#include "settings/ui/tform3.h"

namespace gravmark {

void TForm1::getlogfromBrom1Click() {
    FtpControlLock lock(*this);
    // The account as typed in the settings window, saved or not.
    const SettingsValues settings = Form3->values();
    const FtpAccount account{settings.server, settings.user, settings.pass, settings.logfile};
    if (!IdFTP1.fetch(account, programFolder() + "games_mp.log", RemoteLogSize)) return;
    dialogs().showMessage(kFtpReceivedMessage);
    lock.release();
}

void TForm1::IdFTP1Connected() { dialogs().showMessage(kFtpConnectedMessage); }

void TForm1::IdFTP1WorkBegin(int64_t announced) {
    startTransferProgress(Progress->model(), announced, RemoteLogSize);
}

void TForm1::IdFTP1Work(int64_t receivedSoFar) { Progress->model().setPartsComplete(receivedSoFar); }

void TForm1::IdFTP1WorkEnd() { finishTransferProgress(Progress->model()); }

}  // namespace gravmark
