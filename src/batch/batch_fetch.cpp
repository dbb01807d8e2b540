#include "batch/batch_fetch.h"

#include "common/dialogs.h"
#include "common/error.h"
#include "ftp/fetch_messages.h"
#include "ftp/log_fetcher.h"
#include "ftp/transfer_progress.h"

namespace gravmark {

void fetchLog(const SettingsValues& settings, const std::string& programFolder, Progress& progress) {
    if (settings.server == kNotConfigured)
        throw Error("No FTP server in the settings file: its server is " + settings.server);
    int32_t RemoteLogSize = -1;
    LogFetcher fetcher;
    fetcher.onConnected = [] { dialogs().showMessage(kFtpConnectedMessage); };
    fetcher.onWorkBegin = [&](int64_t announced) {
        startTransferProgress(progress, announced, RemoteLogSize);
    };
    fetcher.onWork = [&](int64_t receivedSoFar) { progress.setPartsComplete(receivedSoFar); };
    fetcher.onWorkEnd = [&] { finishTransferProgress(progress); };
    const FtpAccount account{settings.server, settings.user, settings.pass, settings.logfile};
    if (!fetcher.fetch(account, programFolder + "games_mp.log", RemoteLogSize))
        throw Error("The FTP server " + settings.server + " closed the connection after the login");
    dialogs().showMessage(kFtpReceivedMessage);
}

}  // namespace gravmark
