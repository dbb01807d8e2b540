#include "sftp/tcp_connect.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "common/error.h"

namespace gravmark {

namespace {

using Clock = std::chrono::steady_clock;

std::string serverText(const ServerAddress& address) {
    return address.host + " port " + std::to_string(address.port);
}

// 0 when connected, else the errno of the failure (ETIMEDOUT when time or the cut ran out).
int connectOne(int fd, const addrinfo& candidate, Clock::time_point deadline, const SharedSocket& socket) {
    if (::connect(fd, candidate.ai_addr, candidate.ai_addrlen) == 0) return 0;
    if (errno != EINPROGRESS) return errno;
    pollfd waiting{fd, POLLOUT, 0};
    while (!socket.isCut()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        // Short slices, so that a cut from the caller's thread is seen soon.
        const int ready = ::poll(&waiting, 1, static_cast<int>(std::min<int64_t>(left.count(), 100)));
        if (ready < 0 && errno != EINTR) return errno;
        if (ready <= 0) continue;
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
        return error;
    }
    return ETIMEDOUT;
}

}  // namespace

int connectTcp(const ServerAddress& address, std::chrono::milliseconds limit, SharedSocket& socket) {
    const auto deadline = Clock::now() + limit;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(address.port);
    const int lookup = ::getaddrinfo(address.host.c_str(), port.c_str(), &hints, &found);
    if (lookup == EAI_NONAME || lookup == EAI_NODATA || lookup == EAI_FAIL)
        throw Error("The server name " + address.host + " could not be found.");
    if (lookup != 0) throw Error("Looking up the server name " + address.host + " failed: " + gai_strerror(lookup));
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(found, freeaddrinfo);

    int lastError = ETIMEDOUT;
    for (const addrinfo* candidate = found; candidate && !socket.isCut(); candidate = candidate->ai_next) {
        const int fd = ::socket(candidate->ai_family, candidate->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                candidate->ai_protocol);
        if (fd < 0) {
            lastError = errno;
            continue;
        }
        lastError = connectOne(fd, *candidate, deadline, socket);
        if (lastError == 0) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            socket.attach(fd);
            return fd;
        }
        ::close(fd);
        if (lastError == ETIMEDOUT) break;
    }
    if (lastError == ETIMEDOUT)
        throw Error("No connection to " + serverText(address) + " within " +
                    std::to_string(std::chrono::ceil<std::chrono::seconds>(limit).count()) + " seconds.");
    throw Error("Could not connect to " + serverText(address) + ": " + std::strerror(lastError) + ".");
}

}  // namespace gravmark
