#pragma once
// An FTP server on loopback for tests and benchmarks: it answers from a script, records
// every command line it receives, and sends the remote file from the restart offset over
// a passive data connection (EPSV, PASV) or an active one back to the address named by
// PORT or EPRT. ABOR ends a transfer that is still sending, as RFC 959 says.
// It runs on the caller's thread, driven by the event loops the client under test runs.
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace gravmark::test {

class ScriptedFtpServer {
public:
    explicit ScriptedFtpServer(const QHostAddress& address = QHostAddress(QHostAddress::LocalHost));

    // The server text for the settings: "127.0.0.1:port" or "[::1]:port".
    std::string serverText() const;

    // The script. `replies` overrides the normal answer, looked up by the whole command
    // line first, then by its verb; the value is sent as it stands (lines joined by CR LF),
    // and an empty value means no answer at all. After a verb in `closeAfter` the server
    // closes the control connection. With stallAfter >= 0 a transfer stops sending after
    // that many bytes and keeps its data connection open. `endReply` follows a complete
    // transfer. With connectTwice a second connection to the data port follows the first
    // and sends "intruder". dataFrom is the address an active data connection comes from.
    // With dropAfter >= 0 the server breaks off both connections after sending that many
    // bytes of a transfer, as a server that is killed. pasvAddress is the address a PASV
    // reply names (a server behind NAT names a private one).
    std::string greeting = "220 Scripted server ready";
    std::string remotePath = "games_mp.log";
    std::map<std::string, std::string> replies;
    std::set<std::string> closeAfter;
    int64_t stallAfter = -1;
    std::string endReply = "226 Transfer complete.";
    bool connectTwice = false;
    QHostAddress dataFrom;
    int64_t dropAfter = -1;
    std::string pasvAddress = "127,0,0,1";

    void setRemoteFile(std::string content);
    // A large remote file made on the fly: fill(offset, out, length) writes its bytes.
    void setRemoteFile(int64_t size, std::function<void(int64_t, char*, size_t)> fill);

    const std::vector<std::string>& commands() const { return commands_; }
    void clearCommands() { commands_.clear(); }
    // Runs the event loop until the client has closed the control connection.
    bool waitForClientToLeave(std::chrono::milliseconds limit);

private:
    void answer(QTcpSocket* control, const std::string& line);
    std::string normalReply(const std::string& verb, const std::string& argument);
    void connectBack();
    std::string listenPassive(const std::string& verb);
    void startSending(QTcpSocket* data);
    void sendMore();
    void send(const std::string& reply);

    QTcpServer server_;
    std::unique_ptr<QTcpServer> passive_;  // listening after EPSV or PASV
    QPointer<QTcpSocket> passiveData_;     // its connection, waiting for RETR
    bool retrWaiting_ = false;
    QPointer<QTcpSocket> control_;
    QPointer<QTcpSocket> data_;
    std::vector<std::string> commands_;
    QHostAddress dataAddress_;
    quint16 dataPort_ = 0;
    int64_t restartOffset_ = 0;
    int64_t sendOffset_ = 0;
    int64_t dropAt_ = -1;
    int64_t remoteSize_ = 0;
    std::function<void(int64_t, char*, size_t)> fill_;
};

}  // namespace gravmark::test
