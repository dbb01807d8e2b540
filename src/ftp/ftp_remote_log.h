#pragma once
// The game server's log behind an FTP or FTP over TLS account.
//
// The exchange: connect (onConnected runs once the connection stands, before the greeting
// is read), greeting 220; under TLS "AUTH TLS" 234, the handshake, "PBSZ 0" 200,
// "PROT P" 200; USER (230, or 331 then PASS 230); SYST (any reply); "TYPE I" 200. Then
// SIZE of the log on request, and for each read: the data connection (EPSV or PASV, or
// PORT/EPRT in active mode), "REST <offset>" 350 when the offset is above 0, RETR (125,
// 150 or 154), the data, the end reply (225, 226 or 250). finish() sends QUIT.
//
// A refused REST, or a RETR refused after REST, throws RestartRefused; a 426 or 451 at
// the end of a transfer throws the server's text at once; a server that drops the
// connection during a transfer throws TransferDropped. Sizes and offsets are bytes: the
// transfer type is binary and the bytes are passed on unconverted.
#include <functional>

#include "fetch/fetch_time_limits.h"
#include "fetch/remote_log.h"
#include "ftp/ftp_account.h"
#include "ftp/ftp_control_connection.h"

namespace gravmark {

class FtpRemoteLog : public RemoteLog {
public:
    // Connects and logs in; `check` decides about a certificate the system does not vouch for.
    FtpRemoteLog(const FtpAccount& account, const FetchTimeLimits& limits,
                 const std::function<void()>& onConnected, const CertificateCheck& check = {});

    std::optional<int64_t> size() override;
    void read(int64_t offset, const std::function<bool(std::string_view block)>& receive) override;
    void finish() override;

private:
    void login();
    void readEndOfTransfer();

    FtpAccount account_;
    FetchTimeLimits limits_;
    FtpControlConnection control_;
};

}  // namespace gravmark
