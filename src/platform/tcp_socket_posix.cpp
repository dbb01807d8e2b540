#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/tcp_socket.h"

namespace gravmark::platform {

Lookup lookUpTcp(const std::string& host, int port, std::vector<TcpAddress>& found, std::string& reason) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    const int lookup = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list);
    if (lookup == EAI_NONAME || lookup == EAI_NODATA || lookup == EAI_FAIL) return Lookup::NoSuchName;
    if (lookup != 0) {
        reason = gai_strerror(lookup);
        return Lookup::Failed;
    }
    for (const addrinfo* entry = list; entry; entry = entry->ai_next) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(entry->ai_addr);
        found.push_back({entry->ai_family, {bytes, bytes + entry->ai_addrlen}});
    }
    ::freeaddrinfo(list);
    return Lookup::Found;
}

int openTcpSocket(const TcpAddress& address, int& error) {
    const int fd = ::socket(address.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    error = fd < 0 ? errno : 0;
    return fd;
}

int startConnect(int socket, const TcpAddress& address) {
    const auto* target = reinterpret_cast<const sockaddr*>(address.bytes.data());
    return ::connect(socket, target, static_cast<socklen_t>(address.bytes.size())) == 0 ? 0 : errno;
}

int waitConnected(int socket, std::chrono::milliseconds limit) {
    pollfd waiting{socket, POLLOUT, 0};
    const int ready = ::poll(&waiting, 1, static_cast<int>(limit.count()));
    if (ready < 0) return errno == EINTR ? EINPROGRESS : errno;
    if (ready == 0) return EINPROGRESS;
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length);
    return error;
}

void makeBlocking(int socket) { ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) & ~O_NONBLOCK); }

void shutDownSocket(int socket) { ::shutdown(socket, SHUT_RDWR); }

void closeSocket(int socket) { ::close(socket); }

std::string socketFailureText(int error) { return std::strerror(error); }

SystemSocketError systemSocketError(SocketFailure failure) {
    const auto withText = [](int number) { return SystemSocketError{number, std::strerror(number)}; };
    switch (failure) {
        case SocketFailure::Refused:
            return withText(ECONNREFUSED);
        case SocketFailure::Access:
            return withText(EACCES);
        case SocketFailure::Resources:
            return withText(EMFILE);
        case SocketFailure::TimedOut:
            return withText(ETIMEDOUT);
        case SocketFailure::Network:
            return withText(ENETUNREACH);
        case SocketFailure::AddressInUse:
            return withText(EADDRINUSE);
        case SocketFailure::AddressNotAvailable:
            return withText(EADDRNOTAVAIL);
        case SocketFailure::Unsupported:
            return withText(EAFNOSUPPORT);
        case SocketFailure::HostNotFound:
            return {HOST_NOT_FOUND, "Host not found"};
        case SocketFailure::Other:
            break;
    }
    return {EIO, nullptr};
}

}  // namespace gravmark::platform
