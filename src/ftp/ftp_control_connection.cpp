#include "ftp/ftp_control_connection.h"

#include <algorithm>

#include "common/error.h"
#include "ftp/network_wait.h"
#include "ftp/socket_error.h"

namespace gravmark {

FtpControlConnection::FtpControlConnection(const FtpTimeLimits& limits) : limits_(limits) {
    // Reply lines are short; a server sending one endless line stalls and runs into the
    // reply limit instead of filling memory.
    socket_.setReadBufferSize(64 * 1024);
}

void FtpControlConnection::open(const ServerAddress& address) {
    NetworkWait wait(limits_.connect);
    wait.wakeOn(&socket_, &QTcpSocket::connected);
    wait.wakeOn(&socket_, &QTcpSocket::errorOccurred);
    socket_.connectToHost(QString::fromLatin1(address.host), address.port);
    const bool settled = wait.until([this] {
        return socket_.state() == QAbstractSocket::ConnectedState ||
               socket_.state() == QAbstractSocket::UnconnectedState;
    });
    if (!settled) {
        socket_.abort();
        throw Error("Connect timed out.");
    }
    if (!isOpen()) throwSocketError(socket_);
}

std::optional<FtpReply> FtpControlConnection::takeReceivedReply() {
    while (socket_.canReadLine()) {
        if (auto reply = reader_.addLine(socket_.readLine().toStdString())) return reply;
    }
    // The last line of a server that closed the connection may lack its line break.
    if (!isOpen() && socket_.bytesAvailable() > 0) return reader_.addLine(socket_.readAll().toStdString());
    return {};
}

FtpReply FtpControlConnection::readReply(std::initializer_list<int> accepted) {
    NetworkWait wait(limits_.reply);
    wait.wakeOn(&socket_, &QTcpSocket::readyRead);
    wait.wakeOn(&socket_, &QTcpSocket::disconnected);
    wait.wakeOn(&socket_, &QTcpSocket::errorOccurred);
    std::optional<FtpReply> reply;
    const bool settled = wait.until([&] {
        reply = takeReceivedReply();
        return reply || !isOpen();
    });
    if (!settled) throw Error("Timed out waiting for the server's reply.");
    if (!reply) {
        if (socket_.error() == QAbstractSocket::RemoteHostClosedError)
            throw Error(kConnectionClosedGracefully);
        throwSocketError(socket_);
    }
    if (accepted.size() > 0 && std::find(accepted.begin(), accepted.end(), reply->code) == accepted.end()) {
        throw Error(reply->text);
    }
    return *reply;
}

FtpReply FtpControlConnection::command(const std::string& line, std::initializer_list<int> accepted) {
    if (!isOpen()) throw Error(kConnectionClosedGracefully);
    socket_.write(QByteArray::fromStdString(line + "\r\n"));
    return readReply(accepted);
}

}  // namespace gravmark
