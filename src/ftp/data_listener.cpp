#include "ftp/data_listener.h"

#include <unistd.h>

#include <QTcpSocket>

namespace gravmark {

void DataListener::incomingConnection(qintptr descriptor) {
    auto* socket = new QTcpSocket(this);
    socket->setReadBufferSize(kReadBufferSize);
    if (socket->setSocketDescriptor(descriptor)) {
        addPendingConnection(socket);
        pauseAccepting();
    } else {
        delete socket;
        ::close(static_cast<int>(descriptor));
    }
}

}  // namespace gravmark
