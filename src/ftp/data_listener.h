#pragma once
// The listening side of an active data connection. It takes one connection, the
// server's, and then stops accepting. The accepted socket gets a small read buffer, so a
// server faster than the disk is held back by TCP flow control instead of filling memory.
#include <QTcpServer>

namespace gravmark {

class DataListener : public QTcpServer {
public:
    static constexpr qint64 kReadBufferSize = 256 * 1024;

protected:
    void incomingConnection(qintptr descriptor) override;
};

}  // namespace gravmark
