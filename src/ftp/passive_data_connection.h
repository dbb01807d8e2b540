#pragma once
// A passive data connection: EPSV (PASV when EPSV is refused), then the client connects
// to the port named, at the control connection's peer address.
#include "ftp/data_connection.h"

namespace gravmark {

class PassiveDataConnection : public DataConnection {
public:
    PassiveDataConnection(FtpControlConnection& control, const FetchTimeLimits& limits);

protected:
    std::unique_ptr<QSslSocket> connected() override { return std::move(socket_); }

private:
    std::unique_ptr<QSslSocket> socket_;
};

}  // namespace gravmark
