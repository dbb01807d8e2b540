#pragma once
// Opens the TCP connection an SSH session runs over. The program makes the connection
// itself rather than leaving it to libssh, so that its messages name the server and the
// reason plainly, and so that the caller's thread can cut it off (SharedSocket).
#include <chrono>

#include "common/server_address.h"
#include "sftp/shared_socket.h"

namespace gravmark {

// Tries each address of the host in turn, within `limit` in all; returns the connected
// socket, already attached to `socket`. Stops early when the socket is cut.
// Failures: "The server name H could not be found.", "Could not connect to H port P:
// <reason>." and "No connection to H port P within N seconds."
int connectTcp(const ServerAddress& address, std::chrono::milliseconds limit, SharedSocket& socket);

}  // namespace gravmark
