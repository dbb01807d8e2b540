#pragma once
// The game server's log behind an FTP or FTP over TLS account.
//
// The exchange: connect, greeting 220; under TLS "AUTH TLS" 234, the handshake (the
// certificate checked), "PBSZ 0" 200, "PROT P" 200; USER (230, or 331 then PASS 230);
// SYST (any reply); "TYPE I" 200; then onConnected runs. Then SIZE of the log on request,
// and for each read: the data connection (EPSV or PASV, or PORT/EPRT in active mode),
// "REST <offset>" 350 when the offset is above 0, RETR (125, 150 or 154), the data, the
// end reply (225, 226 or 250). finish() sends QUIT.
//
// A read that receive stops is aborted: ABOR, the data connection let end and closed,
// then the transfer's reply and ABOR's (a bounded wait for each). When the abort fails or
// the server ends the session over it, the next read connects and logs in again, so a
// read after an abandoned one always gets its own transfer.
//
// A refused REST, or a RETR refused after REST, throws RestartRefused; a RETR refused at
// offset 0 names the log file on the server; a 426 or 451 at the end of a transfer throws
// the server's text at once; a server that drops the connection during a transfer throws
// TransferDropped. Sizes and offsets are bytes: the transfer type is binary and the bytes
// are passed on unconverted.
#include <functional>
#include <memory>

#include "fetch/fetch_time_limits.h"
#include "fetch/remote_log.h"
#include "ftp/ftp_account.h"
#include "ftp/ftp_control_connection.h"

namespace gravmark {

class DataConnection;

class FtpRemoteLog : public RemoteLog {
public:
    // Connects and logs in; `check` decides about a certificate the system does not vouch
    // for (again at a new login, and it must stay callable as long as this object lives).
    FtpRemoteLog(const FtpAccount& account, const FetchTimeLimits& limits,
                 const std::function<void()>& onConnected, const CertificateCheck& check = {});

    std::optional<int64_t> size() override;
    void read(int64_t offset, const std::function<bool(std::string_view block)>& receive) override;
    void finish() override;

private:
    void connectAndLogIn();
    void login();
    // Returns false when the control connection cannot be trusted to be in step any more.
    bool abort(DataConnection& data);
    void readEndOfTransfer();

    FtpAccount account_;
    FetchTimeLimits limits_;
    CertificateCheck check_;
    std::unique_ptr<FtpControlConnection> control_;
    bool sessionSpent_ = false;  // an abort failed: the next read logs in again
};

}  // namespace gravmark
