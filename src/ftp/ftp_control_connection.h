#pragma once
// The FTP control connection: command lines out, replies back, and under FTP over TLS
// the encryption of both connections. Every wait runs a local event loop (NetworkWait),
// so the windows stay responsive. Failures are thrown as the texts the user sees:
// "Connect timed out.", socket errors, "Connection Closed Gracefully.", the text of a
// refused reply, or a time limit on the reply running out.
#include <QHostAddress>
#include <QSslSocket>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>

#include "common/server_address.h"
#include "fetch/fetch_time_limits.h"
#include "ftp/ftp_reply.h"

namespace gravmark {

// Called with the certificate's fingerprint ("SHA256:" + 64 lower-case hex digits) when
// the system's trust store does not vouch for the server; throws gravmark::Error to
// refuse the server.
using CertificateCheck = std::function<void(const std::string& fingerprint)>;

class FtpControlConnection {
public:
    explicit FtpControlConnection(const FetchTimeLimits& limits);

    void open(const ServerAddress& address);
    // AUTH TLS and the handshake; the certificate must verify or pass `check`.
    void startTls(const CertificateCheck& check);
    // The next reply; when `accepted` is not empty, a code outside it throws the reply's text.
    FtpReply readReply(std::initializer_list<int> accepted = {}) {
        return readReplyWithin(limits_.reply, accepted);
    }
    // The same with a time limit of its own.
    FtpReply readReplyWithin(std::chrono::milliseconds limit, std::initializer_list<int> accepted = {});
    // Sends one command line (CR LF is added) without waiting for its reply.
    void send(const std::string& line);
    // Sends one command line and reads its reply.
    FtpReply command(const std::string& line, std::initializer_list<int> accepted = {});

    bool isOpen() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    bool isEncrypted() const { return socket_.isEncrypted(); }
    QHostAddress localAddress() const { return socket_.localAddress(); }
    QHostAddress peerAddress() const { return socket_.peerAddress(); }

    // Starts the TLS handshake of a data connection, resuming this connection's session.
    void encryptDataSocket(QSslSocket& data) const;
    // Throws unless the data connection was encrypted with this server's certificate.
    void requireSameServer(const QSslSocket& data) const;

    // Drops the connection at once.
    void close() { socket_.abort(); }

private:
    std::optional<FtpReply> takeReceivedReply();
    void waitForHandshake(const CertificateCheck& check);

    FetchTimeLimits limits_;
    QSslSocket socket_;
    FtpReplyReader reader_;
};

// "SHA256:" and the 64 lower-case hex digits of the certificate's SHA-256 digest.
std::string certificateFingerprint(const QSslCertificate& certificate);

}  // namespace gravmark
