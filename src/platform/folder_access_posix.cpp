#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/folder_access.h"

namespace gravmark::platform {

constexpr mode_t kFolderMode = 0755;

int makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), kFolderMode) != 0 || ::chmod(path.c_str(), kFolderMode) != 0) return errno;
    return 0;
}

int makeTemporaryFolder(std::string& pattern) {
    if (!::mkdtemp(pattern.data())) return errno;
    return ::chmod(pattern.c_str(), kFolderMode) == 0 ? 0 : errno;
}

intptr_t lockFolder(const std::string& path, bool wait) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

void unlockFolder(intptr_t lock) {
    if (lock >= 0) ::close(static_cast<int>(lock));
}

}  // namespace gravmark::platform
