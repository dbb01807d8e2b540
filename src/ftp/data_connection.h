#pragma once
// The data connection of one transfer, made before REST and RETR: passive (EPSV, or PASV
// when the server refuses EPSV; the client connects) or active (PORT for IPv4, EPRT for
// IPv6; the server connects to the client's listener). Either way the connection is made
// with the address of the control connection's peer only. Under TLS the data connection
// is encrypted too, reusing the control connection's TLS session.
#include <QSslSocket>
#include <chrono>
#include <functional>
#include <memory>
#include <string_view>

#include "fetch/fetch_time_limits.h"

namespace gravmark {

class FtpControlConnection;

class DataConnection {
public:
    virtual ~DataConnection() = default;

    // Opens a passive or an active data connection through `control`. A refused command
    // names the other mode, which the settings can switch to.
    static std::unique_ptr<DataConnection> open(FtpControlConnection& control, bool passive,
                                                const FetchTimeLimits& limits);

    // After RETR was accepted: hands every byte the server sends to receive, in blocks of
    // at most 32,768 bytes, until the server closes the connection or receive returns
    // false. Returns false when receive stopped it. Throws "Timed out waiting for the
    // server's data." after `limits.data` of silence, and TransferDropped when the
    // connection breaks.
    bool receive(const std::function<bool(std::string_view)>& receive);

    // After receive stopped and ABOR was sent: drops what the server still sends until it
    // closes the connection or `limit` passes, then closes this side, under TLS with its
    // close_notify. A server whose writes were cut off would see a broken pipe, which some
    // take for a broken session and end it. Throws only when the program is closing.
    void closeAfterAbort(std::chrono::milliseconds limit);

protected:
    DataConnection(FtpControlConnection& control, const FetchTimeLimits& limits);
    // The connected socket, unencrypted yet; waits for the server in active mode.
    virtual std::unique_ptr<QSslSocket> connected() = 0;

    FtpControlConnection& control_;
    FetchTimeLimits limits_;

private:
    std::unique_ptr<QSslSocket> stream_;  // the connection receive() reads
};

}  // namespace gravmark
