#include "ftp/ftp_remote_log.h"

#include <QString>
#include <algorithm>

#include "common/error.h"
#include "ftp/data_connection.h"
#include "ftp/socket_error.h"

namespace gravmark {
namespace {

// A line break inside a command would end it early and send the rest as a command of its own.
void requireSingleLines(const FtpAccount& account) {
    for (const std::string* text : {&account.user, &account.password, &account.logFileName}) {
        if (text->find_first_of("\r\n") != std::string::npos)
            throw Error("The FTP user name, password and log file name cannot hold a line break.");
    }
}

// How servers refuse a login that is not encrypted ("530 Non-anonymous sessions must use
// encryption.", "550 SSL/TLS required on the control channel.", "421 Sorry, cleartext
// sessions and weak ciphers are not accepted on this server.").
bool demandsTls(const FtpReply& reply) {
    const QString text = QString::fromLatin1(reply.text);
    return reply.code >= 400 && (text.contains(QLatin1String("encrypt"), Qt::CaseInsensitive) ||
                                 text.contains(QLatin1String("cleartext"), Qt::CaseInsensitive) ||
                                 text.contains(QLatin1String("TLS"), Qt::CaseInsensitive) ||
                                 text.contains(QLatin1String("SSL"), Qt::CaseInsensitive));
}

bool isOneOf(int code, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// How long an abort may take at each of its steps: the abandoned rest of the log is not
// worth a long wait, since a new login is the way out.
constexpr std::chrono::milliseconds kAbortLimit{5'000};

}  // namespace

FtpRemoteLog::FtpRemoteLog(const FtpAccount& account, const FetchTimeLimits& limits,
                           const std::function<void()>& onConnected, const CertificateCheck& check)
    : account_(account), limits_(limits), check_(check) {
    requireSingleLines(account_);
    connectAndLogIn();
    if (onConnected) onConnected();
}

void FtpRemoteLog::connectAndLogIn() {
    control_ = std::make_unique<FtpControlConnection>(limits_);
    control_->open(parseServerAddress(account_.server, 21));
    control_->readReply({220});
    if (account_.tls) {
        control_->startTls(check_);
        control_->command("PBSZ 0", {200});
        control_->command("PROT P", {200});
    }
    login();
    control_->command("SYST");
    control_->command("TYPE I", {200});
    sessionSpent_ = false;
}

void FtpRemoteLog::login() {
    const auto refuse = [this](const FtpReply& reply) {
        if (!account_.tls && demandsTls(reply))
            throw Error("The server requires TLS; choose FTP over TLS in the settings.");
        throw Error(reply.text);
    };
    FtpReply reply = control_->command("USER " + account_.user);
    if (reply.code == 331) reply = control_->command("PASS " + account_.password);
    if (reply.code != 230) refuse(reply);
}

std::optional<int64_t> FtpRemoteLog::size() {
    return announcedSize(control_->command("SIZE " + account_.logFileName));
}

void FtpRemoteLog::read(int64_t offset, const std::function<bool(std::string_view block)>& receive) {
    if (sessionSpent_) {
        control_->close();
        connectAndLogIn();
    }
    auto data = DataConnection::open(*control_, account_.passive, limits_);
    if (offset > 0) {
        const FtpReply rest = control_->command("REST " + std::to_string(offset));
        if (rest.code != 350) throw RestartRefused(rest.text);
    }
    const FtpReply retr = control_->command("RETR " + account_.logFileName);
    if (!isOneOf(retr.code, {125, 150, 154})) {
        if (offset > 0) throw RestartRefused(retr.text);
        throw Error("The log file \"" + account_.logFileName +
                    "\" on the server cannot be fetched: " + retr.text);
    }
    if (!data->receive(receive)) {
        sessionSpent_ = !abort(*data);
        return;
    }
    data.reset();
    readEndOfTransfer();
}

bool FtpRemoteLog::abort(DataConnection& data) {
    const auto limit = std::min(limits_.reply, kAbortLimit);
    try {
        control_->send("ABOR");
        data.closeAfterAbort(limit);
        // Two replies come, the transfer's (426, or 226 when it ended first) and ABOR's
        // (225 or 226), in either order (some servers answer ABOR first). The answer to a NOOP
        // marks where they end.
        control_->send("NOOP");
        for (int reply = 0; reply < 4; ++reply) {
            if (control_->readReplyWithin(limit).code == 200) return true;
        }
        return false;
    } catch (const Error&) {
        return false;  // the server went silent or ended the session
    }
}

void FtpRemoteLog::readEndOfTransfer() {
    FtpReply reply;
    try {
        reply = control_->readReply();
    } catch (const Error&) {
        if (control_->isOpen()) throw;
        throw TransferDropped(kConnectionClosedGracefully);
    }
    if (!isOneOf(reply.code, {225, 226, 250})) throw Error(reply.text);
}

void FtpRemoteLog::finish() {
    // The log is safe by now: a server that does not answer QUIT changes nothing.
    if (sessionSpent_) {
        control_->close();
        return;
    }
    try {
        control_->command("QUIT");
    } catch (const Error&) {
    }
    control_->close();
}

}  // namespace gravmark
