#include "ftp/log_fetcher.h"

#include <filesystem>

#include "common/error.h"
#include "ftp/active_data_connection.h"
#include "ftp/ftp_control_connection.h"
#include "ftp/local_log_file.h"
#include "common/server_address.h"

namespace gravmark {

namespace {

// A line break inside a command would end it early and send the rest as a command of its own.
void requireSingleLines(const FtpAccount& account) {
    for (const std::string* text : {&account.user, &account.password, &account.logFileName}) {
        if (text->find_first_of("\r\n") != std::string::npos)
            throw Error("The FTP user name, password and log file name cannot hold a line break.");
    }
}

}  // namespace

bool LogFetcher::fetch(const FtpAccount& account, const std::string& localPath, int32_t& remoteLogSize) {
    requireSingleLines(account);
    FtpControlConnection control(limits_);
    control.open(parseServerAddress(account.server, 21));
    if (onConnected) onConnected();
    control.readReply({220});
    if (control.command("USER " + account.user, {230, 331}).code == 331) {
        control.command("PASS " + account.password, {230});
    }
    control.command("TYPE A", {200});
    control.command("SYST", {200, 215, 500});
    if (!control.isOpen()) return false;

    const std::string remoteFile = "/" + account.logFileName;
    remoteLogSize = announcedSize(control.command("SIZE " + remoteFile));
    download(control, remoteFile, localPath);
    control.close();
    return true;
}

void LogFetcher::download(FtpControlConnection& control, const std::string& remoteFile,
                          const std::string& localPath) {
    const bool localFileExisted = std::filesystem::exists(localPath);
    LocalLogFile file(localPath);
    if (!canRestart_) {
        canRestart_ = control.command("REST 1").code == 350;
        control.command("REST 0");
    }
    if (localFileExisted && !*canRestart_) throw Error("Destination file already exists.");

    ActiveDataConnection data(control.localAddress());
    control.command(data.portCommand(), {200});
    if (*canRestart_) control.command("REST " + std::to_string(file.initialSize()), {350});
    control.command("RETR " + remoteFile, {125, 150, 154});
    if (onWorkBegin) onWorkBegin(0);
    data.receiveInto(file, limits_.data, onWork);
    if (onWorkEnd) onWorkEnd();
    const int code = control.readReply({225, 226, 250, 426, 450}).code;
    if (code == 426 || code == 450) control.readReply({225, 226});
}

}  // namespace gravmark
