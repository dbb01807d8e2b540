// Servers that misbehave on purpose: the fetch must end with a message within its limits,
// without crashing and without holding more than a bounded amount of memory.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

#include "common/error.h"
#include "support/error_text.h"
#include "support/temp_folder.h"
#include "transport/log_fetch.h"

namespace gravmark {
namespace {

using namespace std::chrono_literals;

// Answers every connection by sending the same text again and again, as fast as the
// client takes it, after an optional first text.
class FloodingServer {
public:
    FloodingServer(std::string first, std::string repeated)
        : first_(std::move(first)), repeated_(std::move(repeated)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            socket->write(QByteArray::fromStdString(first_));
            QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket] { flood(socket); });
            flood(socket);
        });
    }
    std::string serverText() const { return "127.0.0.1:" + std::to_string(server_.serverPort()); }

private:
    void flood(QTcpSocket* socket) {
        while (socket->bytesToWrite() < 1024 * 1024) socket->write(QByteArray::fromStdString(repeated_));
    }

    QTcpServer server_;
    std::string first_;
    std::string repeated_;
};

// AddressSanitizer pads every block and keeps freed ones in quarantine, so the same work
// peaks higher under it.
#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER
#endif
#endif
#ifdef UNDER_ADDRESS_SANITIZER
constexpr long kPeakAllowance = 12;
#else
constexpr long kPeakAllowance = 1;
#endif

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string fetchError(const FloodingServer& server, const std::string& folder) {
    SettingsValues settings;
    settings.server = server.serverText();
    return test::errorText([&] { fetchLogFile(settings, folder, {}, {}, {10s, 1500ms, 1500ms, 10s}); });
}

TEST(HostileServer, EndlessRepliesRunIntoTheReplyLimit) {
    test::TempFolder folder;
    const long before = peakKilobytes();
    FloodingServer endlessLine("220", std::string(64 * 1024, 'x'));
    EXPECT_EQ(fetchError(endlessLine, folder.folder()), "Timed out waiting for the server's reply.");
    FloodingServer endlessReply("220-Welcome\r\n", "220-" + std::string(1000, 'y') + "\r\n");
    EXPECT_EQ(fetchError(endlessReply, folder.folder()), "Timed out waiting for the server's reply.");
    EXPECT_LT(peakKilobytes() - before, 32 * 1024 * kPeakAllowance) << "kilobytes more at the peak";
}

}  // namespace
}  // namespace gravmark
