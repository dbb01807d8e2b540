#include "ftp/active_data_connection.h"

#include <QTcpSocket>
#include <array>
#include <memory>

#include "common/error.h"
#include "ftp/network_wait.h"
#include "ftp/socket_error.h"

namespace gravmark {
namespace {

constexpr qint64 kBlockSize = 32'768;

}  // namespace

ActiveDataConnection::ActiveDataConnection(const QHostAddress& localAddress) {
    if (!listener_.listen(localAddress, 0)) {
        throw Error(socketErrorMessage(listener_.serverError(), listener_.errorString()));
    }
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

void ActiveDataConnection::receiveInto(LocalLogFile& file, std::chrono::milliseconds silence,
                                       const std::function<void(int64_t)>& onWork) {
    NetworkWait connectionWait(silence);
    connectionWait.wakeOn(&listener_, &QTcpServer::newConnection);
    if (!connectionWait.until([this] { return listener_.hasPendingConnections(); })) {
        throw Error("Timed out waiting for the server's data connection.");
    }
    const std::unique_ptr<QTcpSocket> socket(listener_.nextPendingConnection());
    // Taking a connection lets the listener accept again: stop listening, so that a
    // second connection to the port is refused instead of being held open.
    listener_.close();

    NetworkWait dataWait(silence);
    dataWait.wakeOn(socket.get(), &QTcpSocket::readyRead);
    dataWait.wakeOn(socket.get(), &QTcpSocket::disconnected);
    dataWait.wakeOn(socket.get(), &QTcpSocket::errorOccurred);
    std::array<char, kBlockSize> block;
    int64_t received = 0;
    const bool ended = dataWait.until([&] {
        qint64 length = 0;
        while ((length = socket->read(block.data(), kBlockSize)) > 0) {
            file.append(block.data(), static_cast<size_t>(length));
            received += length;
            dataWait.restartLimit();
            if (onWork) onWork(received);
        }
        return socket->state() == QAbstractSocket::UnconnectedState;
    });
    if (!ended) throw Error("Timed out waiting for the server's data.");
    if (socket->error() != QAbstractSocket::RemoteHostClosedError) throwSocketError(*socket);
}

}  // namespace gravmark
