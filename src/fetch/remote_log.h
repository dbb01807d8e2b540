#pragma once
// One logged-in session with the server that holds the game log, as the continuation
// rules see it: how long the remote log is, and its bytes from an offset on. FTP, FTP
// over TLS and SFTP each implement it; the continuation rules (what to ask for, what to
// compare, what to keep on disk) are written once, above it, for all of them.
//
// Every call may wait on the network; a wait lets the event loop run (the windows keep
// answering). Failures throw gravmark::Error with the text for the user.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "common/error.h"

namespace gravmark {

// Thrown by RemoteLog::read when the server will not start a transfer at an offset above
// 0; the continuation rules then fetch the whole log instead.
class RestartRefused : public Error {
public:
    using Error::Error;
};

// Thrown by RemoteLog::read when the connection breaks off before the end of the file
// (the server dropped it, or was killed). The bytes handed to receive before it are the
// remote log's own; the continuation rules keep them and tell the user where the next
// fetch will continue.
class TransferDropped : public Error {
public:
    using Error::Error;
};

class RemoteLog {
public:
    virtual ~RemoteLog() = default;

    // The remote log's size in bytes, or nothing when the server does not say.
    virtual std::optional<int64_t> size() = 0;

    // Hands the remote log's bytes from offset on to receive, in blocks of at most
    // 32,768 bytes, until the end of the file. When receive returns false the transfer
    // is abandoned and read returns at once; the session can then read again. An
    // exception thrown by receive abandons the transfer and goes on to the caller.
    virtual void read(int64_t offset, const std::function<bool(std::string_view block)>& receive) = 0;

    // Ends the session after a successful fetch (QUIT, or the SSH disconnect).
    virtual void finish() = 0;
};

}  // namespace gravmark
