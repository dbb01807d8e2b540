#include "ftp/socket_error.h"

#include <netdb.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace gravmark {
namespace {

int posixNumber(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            return ECONNREFUSED;
        case QAbstractSocket::SocketAccessError:
            return EACCES;
        case QAbstractSocket::SocketResourceError:
            return EMFILE;
        case QAbstractSocket::SocketTimeoutError:
            return ETIMEDOUT;
        case QAbstractSocket::NetworkError:
            return ENETUNREACH;
        case QAbstractSocket::AddressInUseError:
            return EADDRINUSE;
        case QAbstractSocket::SocketAddressNotAvailableError:
            return EADDRNOTAVAIL;
        case QAbstractSocket::UnsupportedSocketOperationError:
            return EAFNOSUPPORT;
        default:
            return 0;
    }
}

}  // namespace

std::string socketErrorMessage(QAbstractSocket::SocketError error, const QString& qtDescription) {
    if (error == QAbstractSocket::HostNotFoundError) {
        return "Socket Error # " + std::to_string(HOST_NOT_FOUND) + "\nHost not found.";
    }
    const int number = posixNumber(error);
    const std::string description =
        number != 0 ? std::string(std::strerror(number)) : qtDescription.toLatin1().toStdString();
    return "Socket Error # " + std::to_string(number != 0 ? number : EIO) + "\n" + description + ".";
}

void throwSocketError(const QAbstractSocket& socket) {
    throw Error(socketErrorMessage(socket.error(), socket.errorString()));
}

}  // namespace gravmark
