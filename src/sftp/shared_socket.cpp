#include "sftp/shared_socket.h"

#include <sys/socket.h>

namespace gravmark {

void SharedSocket::attach(int fd) {
    std::lock_guard lock(mutex_);
    fd_ = fd;
    if (cut_) ::shutdown(fd_, SHUT_RDWR);
}

void SharedSocket::detach() {
    std::lock_guard lock(mutex_);
    fd_ = -1;
}

void SharedSocket::cut() {
    std::lock_guard lock(mutex_);
    cut_ = true;
    if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
}

}  // namespace gravmark
