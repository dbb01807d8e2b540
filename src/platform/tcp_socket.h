#pragma once
// The TCP calls the SSH transport makes itself (sftp/tcp_connect), over the BSD sockets of
// Linux and the Winsock of Windows. A socket is an int, as libssh takes it on both.
// Failures are errno values (ECONNREFUSED, ETIMEDOUT, ...) on both systems.
#include <chrono>
#include <string>
#include <vector>

namespace gravmark::platform {

struct TcpAddress {
    int family = 0;
    std::vector<unsigned char> bytes;  // the system's sockaddr of this address
};

enum class Lookup { Found, NoSuchName, Failed };

// The addresses of `host` for a TCP connection to `port`; `reason` words a failure.
Lookup lookUpTcp(const std::string& host, int port, std::vector<TcpAddress>& found, std::string& reason);

// A new non-blocking TCP socket for the address's family, not inherited by started
// programs; -1 with the errno value in `error`.
int openTcpSocket(const TcpAddress& address, int& error);

// Starts connecting: 0 when connected at once, EINPROGRESS while it goes on, else the failure.
int startConnect(int socket, const TcpAddress& address);

// Waits at most `limit` for the connection started to end: 0 when connected, EINPROGRESS
// when still waiting, else the failure.
int waitConnected(int socket, std::chrono::milliseconds limit);

// Makes a connected socket blocking again, as libssh uses it.
void makeBlocking(int socket);

// Ends both directions at once (a blocked reader or writer on another thread returns).
void shutDownSocket(int socket);
void closeSocket(int socket);

// The system's words for a socket failure.
std::string socketFailureText(int error);

// The kinds of failure Qt's sockets report, and the system's own number and words for
// each, as a user of this system meets them: Linux's errno values and texts (a refused
// connection is 111, "Connection refused"), Windows' Winsock ones (10061). A failed host
// lookup is the resolver's HOST_NOT_FOUND (1), Winsock's WSAHOST_NOT_FOUND (11001) on
// Windows, "Host not found". Other is EIO with no words (`text` nullptr).
enum class SocketFailure {
    Refused,
    Access,
    Resources,
    TimedOut,
    Network,
    AddressInUse,
    AddressNotAvailable,
    Unsupported,
    HostNotFound,
    Other
};
struct SystemSocketError {
    int number;
    const char* text;
};
SystemSocketError systemSocketError(SocketFailure failure);

}  // namespace gravmark::platform
