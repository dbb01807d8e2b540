#include "ftp/passive_data_connection.h"

#include "common/error.h"
#include "ftp/ftp_control_connection.h"
#include "ftp/network_wait.h"
#include "ftp/passive_reply.h"
#include "ftp/socket_error.h"

namespace gravmark {
namespace {

uint16_t passivePort(FtpControlConnection& control) {
    const FtpReply extended = control.command("EPSV");
    if (extended.code == 229) {
        if (const auto port = epsvPort(extended.text)) return *port;
        throw Error("The server named no usable data port: " + extended.text);
    }
    const FtpReply classic = control.command("PASV");
    if (classic.code != 227)
        throw Error("The server refused passive mode; untick Passive mode in the settings.");
    if (const auto port = pasvPort(classic.text)) return *port;
    throw Error("The server named no usable data port: " + classic.text);
}

}  // namespace

PassiveDataConnection::PassiveDataConnection(FtpControlConnection& control, const FetchTimeLimits& limits)
    : DataConnection(control, limits), socket_(std::make_unique<QSslSocket>()) {
    const uint16_t port = passivePort(control);
    socket_->setReadBufferSize(256 * 1024);
    NetworkWait wait(limits.connect);
    wait.wakeOn(socket_.get(), &QSslSocket::connected);
    wait.wakeOn(socket_.get(), &QSslSocket::errorOccurred);
    socket_->connectToHost(control.peerAddress(), port);
    const bool settled = wait.until([this] {
        return socket_->state() == QAbstractSocket::ConnectedState ||
               socket_->state() == QAbstractSocket::UnconnectedState;
    });
    if (!settled) throw Error("Timed out connecting to the server's data port.");
    if (socket_->state() != QAbstractSocket::ConnectedState) throwSocketError(*socket_);
}

}  // namespace gravmark
