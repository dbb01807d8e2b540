#include "sftp/tcp_connect.h"

#include <cerrno>

#include "common/error.h"
#include "platform/tcp_socket.h"

namespace gravmark {

namespace {

using Clock = std::chrono::steady_clock;

std::string serverText(const ServerAddress& address) {
    return address.host + " port " + std::to_string(address.port);
}

// 0 when connected, else the errno of the failure (ETIMEDOUT when time or the cut ran out).
int connectOne(int fd, const platform::TcpAddress& candidate, Clock::time_point deadline,
               const SharedSocket& socket) {
    const int started = platform::startConnect(fd, candidate);
    if (started != EINPROGRESS) return started;
    while (!socket.isCut()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        // Short slices, so that a cut from the caller's thread is seen soon.
        const int result = platform::waitConnected(fd, std::min(left, std::chrono::milliseconds(100)));
        if (result != EINPROGRESS) return result;
    }
    return ETIMEDOUT;
}

}  // namespace

int connectTcp(const ServerAddress& address, std::chrono::milliseconds limit, SharedSocket& socket) {
    const auto deadline = Clock::now() + limit;
    std::vector<platform::TcpAddress> candidates;
    std::string reason;
    switch (platform::lookUpTcp(address.host, address.port, candidates, reason)) {
        case platform::Lookup::NoSuchName:
            throw Error("The server name " + address.host + " could not be found.");
        case platform::Lookup::Failed:
            throw Error("Looking up the server name " + address.host + " failed: " + reason);
        case platform::Lookup::Found:
            break;
    }

    int lastError = ETIMEDOUT;
    for (const platform::TcpAddress& candidate : candidates) {
        if (socket.isCut()) break;
        const int fd = platform::openTcpSocket(candidate, lastError);
        if (fd < 0) continue;
        lastError = connectOne(fd, candidate, deadline, socket);
        if (lastError == 0) {
            platform::makeBlocking(fd);
            socket.attach(fd);
            return fd;
        }
        platform::closeSocket(fd);
        if (lastError == ETIMEDOUT) break;
    }
    if (lastError == ETIMEDOUT)
        throw Error("No connection to " + serverText(address) + " within " +
                    std::to_string(std::chrono::ceil<std::chrono::seconds>(limit).count()) + " seconds.");
    throw Error("Could not connect to " + serverText(address) + ": " +
                platform::socketFailureText(lastError) + ".");
}

}  // namespace gravmark
