#include "ftp/data_connection.h"

#include <array>

#include "common/error.h"
#include "fetch/remote_log.h"
#include "ftp/active_data_connection.h"
#include "ftp/ftp_control_connection.h"
#include "ftp/network_wait.h"
#include "ftp/passive_data_connection.h"

namespace gravmark {
namespace {

constexpr qint64 kBlockSize = 32'768;

// Whether the server has ended the connection. A TLS server ends with its close_notify and
// may hold the connection open until ours comes.
bool serverClosed(const QSslSocket& socket) {
    return socket.state() == QAbstractSocket::UnconnectedState ||
           socket.error() == QAbstractSocket::RemoteHostClosedError;
}

}  // namespace

DataConnection::DataConnection(FtpControlConnection& control, const FetchTimeLimits& limits)
    : control_(control), limits_(limits) {}

std::unique_ptr<DataConnection> DataConnection::open(FtpControlConnection& control, bool passive,
                                                     const FetchTimeLimits& limits) {
    if (passive) return std::make_unique<PassiveDataConnection>(control, limits);
    auto active = std::make_unique<ActiveDataConnection>(control, limits);
    if (control.command(active->portCommand()).code != 200)
        throw Error("The server refused active mode; tick Passive mode in the settings.");
    return active;
}

bool DataConnection::receive(const std::function<bool(std::string_view)>& receive) {
    stream_ = connected();
    QSslSocket* const socket = stream_.get();
    NetworkWait wait(limits_.data);
    wait.wakeOn(socket, &QSslSocket::readyRead);
    wait.wakeOn(socket, &QSslSocket::disconnected);
    wait.wakeOn(socket, &QSslSocket::errorOccurred);
    wait.wakeOn(socket, &QSslSocket::encrypted);
    const bool tls = control_.isEncrypted();
    if (tls) control_.encryptDataSocket(*socket);

    std::array<char, kBlockSize> block;
    bool stopped = false;
    bool serverChecked = !tls;
    const bool ended = wait.until([&] {
        if (!serverChecked && socket->isEncrypted()) {
            control_.requireSameServer(*socket);
            serverChecked = true;
        }
        qint64 length = 0;
        while (!stopped && (length = socket->read(block.data(), kBlockSize)) > 0) {
            wait.restartLimit();
            stopped = !receive(std::string_view(block.data(), static_cast<size_t>(length)));
        }
        return stopped || serverClosed(*socket);
    });
    if (!ended) throw Error("Timed out waiting for the server's data.");
    if (stopped) return false;
    if (!serverChecked)
        throw Error("The TLS handshake of the data connection failed: " +
                    socket->errorString().toStdString());
    if (socket->error() != QAbstractSocket::RemoteHostClosedError)
        throw TransferDropped("The data connection broke: " + socket->errorString().toStdString());
    return true;
}

void DataConnection::closeAfterAbort(std::chrono::milliseconds limit) {
    if (!stream_) return;
    QSslSocket& socket = *stream_;
    NetworkWait wait(limit);
    wait.wakeOn(&socket, &QSslSocket::readyRead);
    wait.wakeOn(&socket, &QSslSocket::disconnected);
    wait.wakeOn(&socket, &QSslSocket::errorOccurred);
    std::array<char, kBlockSize> dropped;
    wait.until([&] {
        while (socket.read(dropped.data(), kBlockSize) > 0) {
        }
        return serverClosed(socket);
    });
    socket.disconnectFromHost();
    NetworkWait closing(limit);
    closing.wakeOn(&socket, &QSslSocket::disconnected);
    closing.until([&] { return socket.state() == QAbstractSocket::UnconnectedState; });
    socket.abort();
}

}  // namespace gravmark
