// The TCP calls the SSH transport connects with.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <cerrno>

#include "platform/tcp_socket.h"

namespace gravmark {
namespace {

int connectTo(int port) {
    std::vector<platform::TcpAddress> found;
    std::string reason;
    EXPECT_EQ(platform::lookUpTcp("127.0.0.1", port, found, reason), platform::Lookup::Found) << reason;
    if (found.empty()) return EIO;
    int error = 0;
    const int socket = platform::openTcpSocket(found.front(), error);
    if (socket < 0) return error;
    int result = platform::startConnect(socket, found.front());
    for (int slice = 0; result == EINPROGRESS && slice < 50; ++slice)
        result = platform::waitConnected(socket, std::chrono::milliseconds(100));
    platform::shutDownSocket(socket);
    platform::closeSocket(socket);
    return result;
}

TEST(PlatformSockets, ConnectsToAListenerAndNamesARefusal) {
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost));
    const int port = listener.serverPort();
    EXPECT_EQ(connectTo(port), 0);
    listener.close();
    const int refused = connectTo(port);
    EXPECT_EQ(refused, ECONNREFUSED);
    EXPECT_EQ(platform::socketFailureText(refused), "Connection refused");
}

}  // namespace
}  // namespace gravmark
