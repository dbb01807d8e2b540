#include <winsock2.h>
#include <ws2tcpip.h>

#include <cerrno>
#include <cstring>

#include "platform/tcp_socket.h"
#include "platform/wide_text.h"

namespace gravmark::platform {

namespace {

// Winsock is started once per process; Qt's network classes start it as well.
void startWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}

int errnoOfSocket(int error) {
    switch (error) {
        case WSAECONNREFUSED:
            return ECONNREFUSED;
        case WSAETIMEDOUT:
            return ETIMEDOUT;
        case WSAEHOSTUNREACH:
            return EHOSTUNREACH;
        case WSAENETUNREACH:
            return ENETUNREACH;
        case WSAECONNRESET:
            return ECONNRESET;
        case WSAEWOULDBLOCK:
        case WSAEINPROGRESS:
            return EINPROGRESS;
        case WSAEADDRNOTAVAIL:
            return EADDRNOTAVAIL;
        case WSAEAFNOSUPPORT:
            return EAFNOSUPPORT;
        default:
            return EIO;
    }
}

SOCKET handleOf(int socket) { return static_cast<SOCKET>(socket); }

}  // namespace

Lookup lookUpTcp(const std::string& host, int port, std::vector<TcpAddress>& found, std::string& reason) {
    startWinsock();
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    ADDRINFOW* list = nullptr;
    const int lookup = GetAddrInfoW(wideText(host).c_str(), std::to_wstring(port).c_str(), &hints, &list);
    if (lookup == WSAHOST_NOT_FOUND || lookup == WSANO_DATA || lookup == WSANO_RECOVERY)
        return Lookup::NoSuchName;
    if (lookup != 0) {
        reason = "error " + std::to_string(lookup);
        return Lookup::Failed;
    }
    for (const ADDRINFOW* entry = list; entry; entry = entry->ai_next) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(entry->ai_addr);
        found.push_back({entry->ai_family, {bytes, bytes + entry->ai_addrlen}});
    }
    FreeAddrInfoW(list);
    return Lookup::Found;
}

int openTcpSocket(const TcpAddress& address, int& error) {
    startWinsock();
    const SOCKET socket =
        WSASocketW(address.family, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (socket == INVALID_SOCKET) {
        error = errnoOfSocket(WSAGetLastError());
        return -1;
    }
    u_long nonBlocking = 1;
    ioctlsocket(socket, FIONBIO, &nonBlocking);
    error = 0;
    return static_cast<int>(socket);
}

int startConnect(int socket, const TcpAddress& address) {
    const auto* target = reinterpret_cast<const sockaddr*>(address.bytes.data());
    if (::connect(handleOf(socket), target, static_cast<int>(address.bytes.size())) == 0) return 0;
    return errnoOfSocket(WSAGetLastError());
}

int waitConnected(int socket, std::chrono::milliseconds limit) {
    WSAPOLLFD waiting{handleOf(socket), POLLOUT, 0};
    const int ready = WSAPoll(&waiting, 1, static_cast<int>(limit.count()));
    if (ready < 0) return errnoOfSocket(WSAGetLastError());
    if (ready == 0) return EINPROGRESS;
    int error = 0;
    int length = sizeof error;
    getsockopt(handleOf(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
    // A refused connection shows as an error event with no SO_ERROR on some systems.
    if (error == 0 && (waiting.revents & (POLLERR | POLLHUP))) return ECONNREFUSED;
    return error == 0 ? 0 : errnoOfSocket(error);
}

void makeBlocking(int socket) {
    u_long nonBlocking = 0;
    ioctlsocket(handleOf(socket), FIONBIO, &nonBlocking);
}

void shutDownSocket(int socket) { shutdown(handleOf(socket), SD_BOTH); }

void closeSocket(int socket) { closesocket(handleOf(socket)); }

SystemSocketError systemSocketError(SocketFailure failure) {
    switch (failure) {
        case SocketFailure::Refused:
            return {WSAECONNREFUSED, "Connection refused"};
        case SocketFailure::Access:
            return {WSAEACCES, "Permission denied"};
        case SocketFailure::Resources:
            return {WSAEMFILE, "Too many open files"};
        case SocketFailure::TimedOut:
            return {WSAETIMEDOUT, "Connection timed out"};
        case SocketFailure::Network:
            return {WSAENETUNREACH, "Network is unreachable"};
        case SocketFailure::AddressInUse:
            return {WSAEADDRINUSE, "Address already in use"};
        case SocketFailure::AddressNotAvailable:
            return {WSAEADDRNOTAVAIL, "Cannot assign requested address"};
        case SocketFailure::Unsupported:
            return {WSAEAFNOSUPPORT, "Address family not supported by protocol"};
        case SocketFailure::HostNotFound:
            return {WSAHOST_NOT_FOUND, "Host not found"};
        case SocketFailure::Other:
            break;
    }
    return {EIO, nullptr};
}

std::string socketFailureText(int error) {
    switch (error) {
        case ECONNREFUSED:
            return "Connection refused";
        case ETIMEDOUT:
            return "Connection timed out";
        case EHOSTUNREACH:
            return "No route to host";
        case ENETUNREACH:
            return "Network is unreachable";
        case ECONNRESET:
            return "Connection reset by peer";
        default:
            return std::strerror(error);
    }
}

}  // namespace gravmark::platform
