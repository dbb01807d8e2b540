#pragma once
// What a fetch tells the window or the batch command while it runs ("get log ftp
// server" and its notifications). Each may be left empty.
#include <cstdint>
#include <functional>

namespace gravmark {

struct FetchNotifications {
    // The server was accepted (its certificate or host key) and the login went through.
    std::function<void()> onConnected;
    // A transfer starts; remoteSize is the remote log's size, -1 when the server does not say.
    std::function<void(int64_t remoteSize)> onWorkBegin;
    // Bytes received so far in this transfer (not the part of the copy that was there before).
    std::function<void(int64_t receivedSoFar)> onWork;
    // The transfer came to the end of the remote log.
    std::function<void()> onWorkEnd;
};

}  // namespace gravmark
