#pragma once
// An active data connection: the client listens on the local address of the control
// connection, on a port the system chooses, names it by PORT (IPv4) or EPRT (IPv6), and
// takes the first connection that comes from the control connection's peer; connections
// from any other address are closed at once. It then stops listening.
#include <QHostAddress>
#include <QTcpServer>
#include <string>

#include "ftp/data_connection.h"

namespace gravmark {

class ActiveDataConnection : public DataConnection {
public:
    ActiveDataConnection(FtpControlConnection& control, const FetchTimeLimits& limits);

    // "PORT a,b,c,d,p1,p2" or "EPRT |2|address|port|".
    std::string portCommand() const;

protected:
    std::unique_ptr<QSslSocket> connected() override;

private:
    // Takes the server's connection when it comes from `peer`; the socket gets a small
    // read buffer, so a server faster than the disk is held back by TCP flow control.
    class Listener : public QTcpServer {
    public:
        QHostAddress peer;
        std::unique_ptr<QSslSocket> taken;

    protected:
        void incomingConnection(qintptr descriptor) override;
    };

    Listener listener_;
};

}  // namespace gravmark
