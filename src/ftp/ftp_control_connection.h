#pragma once
// The FTP control connection: command lines out, replies back. Every wait runs a local
// event loop (NetworkWait), so the windows stay responsive. Failures are thrown as the
// texts the user sees: "Connect timed out.", socket errors, "Connection Closed
// Gracefully.", the text of a refused reply, or a time limit on the reply running out.
#include <QHostAddress>
#include <QTcpSocket>
#include <initializer_list>
#include <string>

#include "ftp/ftp_reply.h"
#include "ftp/ftp_time_limits.h"
#include "common/server_address.h"

namespace gravmark {

class FtpControlConnection {
public:
    explicit FtpControlConnection(const FtpTimeLimits& limits);

    void open(const ServerAddress& address);
    // The next reply; when `accepted` is not empty, a code outside it throws the reply's text.
    FtpReply readReply(std::initializer_list<int> accepted = {});
    // Sends one command line (CR LF is added) and reads its reply.
    FtpReply command(const std::string& line, std::initializer_list<int> accepted = {});

    bool isOpen() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    QHostAddress localAddress() const { return socket_.localAddress(); }
    // Drops the connection at once; no QUIT is sent.
    void close() { socket_.abort(); }

private:
    std::optional<FtpReply> takeReceivedReply();

    FtpTimeLimits limits_;
    QTcpSocket socket_;
    FtpReplyReader reader_;
};

}  // namespace gravmark
