#include "ftp/active_data_connection.h"

#include "common/error.h"
#include "ftp/ftp_control_connection.h"
#include "ftp/network_wait.h"
#include "ftp/socket_error.h"
#include "platform/tcp_socket.h"

namespace gravmark {

ActiveDataConnection::ActiveDataConnection(FtpControlConnection& control, const FetchTimeLimits& limits)
    : DataConnection(control, limits) {
    listener_.peer = control.peerAddress();
    if (!listener_.listen(control.localAddress(), 0))
        throw Error(socketErrorMessage(listener_.serverError(), listener_.errorString()));
}

std::string ActiveDataConnection::portCommand() const {
    const QHostAddress address = listener_.serverAddress();
    const quint16 port = listener_.serverPort();
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    if (!isIpv4) {
        QHostAddress bare = address;
        bare.setScopeId({});
        return "EPRT |2|" + bare.toString().toStdString() + "|" + std::to_string(port) + "|";
    }
    std::string line = "PORT ";
    for (int shift = 24; shift >= 0; shift -= 8) line += std::to_string((ipv4 >> shift) & 0xff) + ",";
    return line + std::to_string(port / 256) + "," + std::to_string(port % 256);
}

std::unique_ptr<QSslSocket> ActiveDataConnection::connected() {
    NetworkWait wait(limits_.data);
    wait.wakeOn(&listener_, &QTcpServer::newConnection);
    if (!wait.until([this] { return listener_.taken != nullptr; }))
        throw Error("Timed out waiting for the server's data connection.");
    listener_.close();
    return std::move(listener_.taken);
}

void ActiveDataConnection::Listener::incomingConnection(qintptr descriptor) {
    auto socket = std::make_unique<QSslSocket>();
    socket->setReadBufferSize(256 * 1024);
    if (taken || !socket->setSocketDescriptor(descriptor) || !socket->peerAddress().isEqual(peer)) {
        if (socket->state() == QAbstractSocket::UnconnectedState)
            platform::closeSocket(static_cast<int>(descriptor));
        return;  // the socket, if it took the descriptor, closes it
    }
    taken = std::move(socket);
    emit newConnection();
}

}  // namespace gravmark
