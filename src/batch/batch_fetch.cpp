#include "batch/batch_fetch.h"

#include "common/dialogs.h"
#include "common/error.h"
#include "ftp/log_fetcher.h"

namespace gravmark {

void fetchLog(const SettingsValues& settings, const std::string& programFolder, Progress& progress) {
    if (settings.server == kNotConfigured)
        throw Error("No FTP server in the settings file: its server is " + settings.server);
    int32_t RemoteLogSize = -1;
    LogFetcher fetcher;
    fetcher.onConnected = [] { dialogs().showMessage("Connected, proceeding with download"); };
    fetcher.onWorkBegin = [&](int64_t announced) {
        progress.setTotalParts(announced > 0 ? announced : RemoteLogSize);
    };
    fetcher.onWork = [&](int64_t receivedSoFar) { progress.setPartsComplete(receivedSoFar); };
    fetcher.onWorkEnd = [&] { progress.setPartsComplete(progress.totalParts()); };
    const FtpAccount account{settings.server, settings.user, settings.pass, settings.logfile};
    if (!fetcher.fetch(account, programFolder + "games_mp.log", RemoteLogSize))
        throw Error("The FTP server " + settings.server + " closed the connection after the login");
    dialogs().showMessage("Received log file and saved as games_mp.log");
}

}  // namespace gravmark
