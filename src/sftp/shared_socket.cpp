#include "sftp/shared_socket.h"

#include "platform/tcp_socket.h"

namespace gravmark {

void SharedSocket::attach(int fd) {
    std::lock_guard lock(mutex_);
    fd_ = fd;
    if (cut_) platform::shutDownSocket(fd_);
}

void SharedSocket::detach() {
    std::lock_guard lock(mutex_);
    fd_ = -1;
}

void SharedSocket::cut() {
    std::lock_guard lock(mutex_);
    cut_ = true;
    if (fd_ >= 0) platform::shutDownSocket(fd_);
}

}  // namespace gravmark
