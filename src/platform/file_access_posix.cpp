#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_access.h"

namespace gravmark::platform {

int openFile(const std::string& path, OpenFor how) {
    switch (how) {
        case OpenFor::Reading:
            return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        case OpenFor::Rewriting:
            return ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        case OpenFor::Appending:
            return ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        case OpenFor::AppendingEmptied:
            return ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_TRUNC | O_CLOEXEC, 0666);
        case OpenFor::CreatingNew:
            return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    }
    errno = EINVAL;
    return -1;
}

int closeFile(int fd) { return ::close(fd); }

int64_t readSome(int fd, char* into, size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, into, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

int64_t writeSome(int fd, const char* from, size_t size) {
    for (;;) {
        const ssize_t written = ::write(fd, from, size);
        if (written >= 0 || errno != EINTR) return written;
    }
}

int seekFile(int fd, int64_t offset) { return ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0 ? -1 : 0; }

int64_t fileSize(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? static_cast<int64_t>(status.st_size) : -1;
}

int syncFile(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

int resizeFile(int fd, int64_t size) { return ::ftruncate(fd, size) == 0 ? 0 : errno; }

int reserveRoom(int fd, int64_t size) {
    const int64_t old = fileSize(fd);
    if (old < 0) return errno;
    if (size == 0) return 0;
    const int error = ::posix_fallocate(fd, 0, size);
    if (error != 0 && size > old && ::ftruncate(fd, old) != 0) return errno;
    return error;
}

int createTemporaryFile(std::string& pattern) { return ::mkostemp(pattern.data(), O_CLOEXEC); }

int setPageMode(int fd, const std::string& likeFile) {
    struct stat existing {};
    mode_t mode = 0644;
    if (!likeFile.empty() && ::lstat(likeFile.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        mode = existing.st_mode & 07777;
    return ::fchmod(fd, mode) == 0 ? 0 : errno;
}

EntryKind entryKind(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return EntryKind::None;
    if (S_ISREG(info.st_mode)) return EntryKind::File;
    if (S_ISDIR(info.st_mode)) return EntryKind::Folder;
    if (S_ISLNK(info.st_mode)) return EntryKind::Link;
    return EntryKind::Other;
}

bool fileExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

bool isWritableFile(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

}  // namespace gravmark::platform
