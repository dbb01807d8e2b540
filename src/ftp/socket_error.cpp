#include "ftp/socket_error.h"

#include "common/error.h"
#include "platform/tcp_socket.h"

namespace gravmark {
namespace {

platform::SocketFailure failureOf(QAbstractSocket::SocketError error) {
    using platform::SocketFailure;
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            return SocketFailure::Refused;
        case QAbstractSocket::SocketAccessError:
            return SocketFailure::Access;
        case QAbstractSocket::SocketResourceError:
            return SocketFailure::Resources;
        case QAbstractSocket::SocketTimeoutError:
            return SocketFailure::TimedOut;
        case QAbstractSocket::NetworkError:
            return SocketFailure::Network;
        case QAbstractSocket::AddressInUseError:
            return SocketFailure::AddressInUse;
        case QAbstractSocket::SocketAddressNotAvailableError:
            return SocketFailure::AddressNotAvailable;
        case QAbstractSocket::UnsupportedSocketOperationError:
            return SocketFailure::Unsupported;
        case QAbstractSocket::HostNotFoundError:
            return SocketFailure::HostNotFound;
        default:
            return SocketFailure::Other;
    }
}

}  // namespace

std::string socketErrorMessage(QAbstractSocket::SocketError error, const QString& qtDescription) {
    const platform::SystemSocketError system = platform::systemSocketError(failureOf(error));
    const std::string description = system.text ? system.text : qtDescription.toLatin1().toStdString();
    return "Socket Error # " + std::to_string(system.number) + "\n" + description + ".";
}
void throwSocketError(const QAbstractSocket& socket) {
    throw Error(socketErrorMessage(socket.error(), socket.errorString()));
}

}  // namespace gravmark
