#pragma once
// The TCP socket of one SSH session, shared between the worker thread that talks over it
// and the caller's thread, which may cut it off: a server that stops answering leaves
// libssh blocked in a read, and shutting the socket down is what ends that read at once.
// The worker hands the socket in once connected and takes it back before libssh closes
// it, so a cut never reaches a descriptor number the system has already given to another
// file.
#include <atomic>
#include <mutex>

namespace gravmark {

class SharedSocket {
public:
    void attach(int fd);
    void detach();
    // Shuts the socket down (both directions); a connection still being made gives up.
    void cut();
    bool isCut() const { return cut_; }

private:
    std::mutex mutex_;
    int fd_ = -1;
    std::atomic<bool> cut_ = false;
};

}  // namespace gravmark
