#pragma once
// The data connection of one download in active mode: the client listens on the local
// address of the control connection, on a port the system chooses, names it to the
// server (PORT for IPv4; EPRT for IPv6, which PORT cannot express), and the server
// connects to it after RETR. Destroying it closes the listener and the connection.
#include <QHostAddress>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "ftp/data_listener.h"
#include "ftp/local_log_file.h"

namespace gravmark {

class ActiveDataConnection {
public:
    explicit ActiveDataConnection(const QHostAddress& localAddress);

    // "PORT a,b,c,d,p1,p2" or "EPRT |2|address|port|".
    std::string portCommand() const;

    // Takes the server's connection and appends everything it sends to `file`, in blocks
    // of at most 32,768 bytes as they arrive, until the server closes the connection.
    // onWork hears the number of bytes received so far after each block. `silence` limits
    // the wait for the connection and for every next block.
    void receiveInto(LocalLogFile& file, std::chrono::milliseconds silence,
                     const std::function<void(int64_t)>& onWork);

private:
    DataListener listener_;
};

}  // namespace gravmark
