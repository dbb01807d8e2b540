#include "ftp/ftp_control_connection.h"

#include <QCryptographicHash>
#include <QSslConfiguration>
#include <algorithm>

#include "common/error.h"
#include "ftp/network_wait.h"
#include "ftp/socket_error.h"

namespace gravmark {

FtpControlConnection::FtpControlConnection(const FetchTimeLimits& limits) : limits_(limits) {
    // Reply lines are short; a server sending one endless line stalls and runs into the
    // reply limit instead of filling memory.
    socket_.setReadBufferSize(64 * 1024);
}

void FtpControlConnection::open(const ServerAddress& address) {
    NetworkWait wait(limits_.connect);
    wait.wakeOn(&socket_, &QSslSocket::connected);
    wait.wakeOn(&socket_, &QSslSocket::errorOccurred);
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

FtpReply FtpControlConnection::readReplyWithin(std::chrono::milliseconds limit,
                                               std::initializer_list<int> accepted) {
    NetworkWait wait(limit);
    wait.wakeOn(&socket_, &QSslSocket::readyRead);
    wait.wakeOn(&socket_, &QSslSocket::disconnected);
    wait.wakeOn(&socket_, &QSslSocket::errorOccurred);
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

void FtpControlConnection::startTls(const CertificateCheck& check) {
    command("AUTH TLS", {234});
    QSslConfiguration configuration = socket_.sslConfiguration();
    // Keeps the session, which the data connections resume (servers demand it).
    configuration.setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
    socket_.setSslConfiguration(configuration);
    waitForHandshake(check);
}

void FtpControlConnection::waitForHandshake(const CertificateCheck& check) {
    // Verification failures are kept and decided after the handshake, by the
    // fingerprint: nothing but the handshake has been sent by then.
    QList<QSslError> problems;
    const auto keep = QObject::connect(&socket_, &QSslSocket::sslErrors, [&](const QList<QSslError>& errors) {
        problems = errors;
        socket_.ignoreSslErrors();
    });
    NetworkWait wait(limits_.reply);
    wait.wakeOn(&socket_, &QSslSocket::encrypted);
    wait.wakeOn(&socket_, &QSslSocket::disconnected);
    wait.wakeOn(&socket_, &QSslSocket::errorOccurred);
    socket_.startClientEncryption();
    const bool settled = wait.until([this] { return socket_.isEncrypted() || !isOpen(); });
    QObject::disconnect(keep);
    if (!settled) {
        socket_.abort();
        throw Error("Timed out waiting for the server's TLS handshake.");
    }
    if (!socket_.isEncrypted())
        throw Error("The TLS handshake failed: " + socket_.errorString().toStdString());
    if (!problems.isEmpty()) {
        try {
            check(certificateFingerprint(socket_.peerCertificate()));
        } catch (...) {
            socket_.abort();
            throw;
        }
    }
}

void FtpControlConnection::encryptDataSocket(QSslSocket& data) const {
    QSslConfiguration configuration = socket_.sslConfiguration();
    configuration.setPeerVerifyMode(QSslSocket::QueryPeer);  // checked against this connection's certificate
    data.setSslConfiguration(configuration);
    data.startClientEncryption();
}

void FtpControlConnection::requireSameServer(const QSslSocket& data) const {
    if (data.peerCertificate() != socket_.peerCertificate())
        throw Error("The data connection was not encrypted by the same server.");
}

std::string certificateFingerprint(const QSslCertificate& certificate) {
    const QByteArray digest = QCryptographicHash::hash(certificate.toDer(), QCryptographicHash::Sha256);
    return "SHA256:" + digest.toHex().toStdString();
}

void FtpControlConnection::send(const std::string& line) {
    if (!isOpen()) throw Error(kConnectionClosedGracefully);
    socket_.write(QByteArray::fromStdString(line + "\r\n"));
}

FtpReply FtpControlConnection::command(const std::string& line, std::initializer_list<int> accepted) {
    send(line);
    return readReply(accepted);
}

}  // namespace gravmark
