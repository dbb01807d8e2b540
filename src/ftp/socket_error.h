#pragma once
// The texts of socket failures: "Socket Error # " + the system's error number, a line
// break and its description. Qt reports a kind of failure, not the number, so each kind is
// given the system's number and text that cause it (platform/tcp_socket.h: on Linux a
// refused connection is "Socket Error # 111" + "Connection refused.", on Windows # 10061).
// Kinds with no system counterpart keep Qt's description under EIO.
// A server that closes the connection is no socket failure: "Connection Closed Gracefully.".
#include <QAbstractSocket>
#include <string>

namespace gravmark {

inline constexpr const char* kConnectionClosedGracefully = "Connection Closed Gracefully.";

std::string socketErrorMessage(QAbstractSocket::SocketError error, const QString& qtDescription);

// Throws the gravmark::Error for the socket's last failure.
[[noreturn]] void throwSocketError(const QAbstractSocket& socket);

}  // namespace gravmark
