#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <climits>
#include <random>

#include "platform/file_access.h"
#include "platform/wide_text.h"

namespace gravmark::platform {

namespace {

// The C library says EACCES for a file another program holds open; EBUSY tells it apart.
int openWide(const std::string& path, int flags) {
    const int fd = ::_wopen(wideText(path).c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0 && _doserrno == ERROR_SHARING_VIOLATION) errno = EBUSY;
    return fd;
}

// One call moves at most INT_MAX bytes; the callers loop over parts anyway.
unsigned int part(size_t size) { return static_cast<unsigned int>(size < INT_MAX ? size : INT_MAX); }

}  // namespace

int openFile(const std::string& path, OpenFor how) {
    switch (how) {
        case OpenFor::Reading:
            return openWide(path, _O_RDONLY);
        case OpenFor::Rewriting:
            return openWide(path, _O_WRONLY);
        case OpenFor::Appending:
            return openWide(path, _O_WRONLY | _O_CREAT | _O_APPEND);
        case OpenFor::AppendingEmptied:
            return openWide(path, _O_WRONLY | _O_CREAT | _O_APPEND | _O_TRUNC);
        case OpenFor::CreatingNew:
            return openWide(path, _O_WRONLY | _O_CREAT | _O_EXCL);
    }
    errno = EINVAL;
    return -1;
}

int closeFile(int fd) { return ::_close(fd); }

int64_t readSome(int fd, char* into, size_t size) { return ::_read(fd, into, part(size)); }

int64_t writeSome(int fd, const char* from, size_t size) { return ::_write(fd, from, part(size)); }

int seekFile(int fd, int64_t offset) { return ::_lseeki64(fd, offset, SEEK_SET) < 0 ? -1 : 0; }

int64_t fileSize(int fd) { return ::_filelengthi64(fd); }

int syncFile(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    return FlushFileBuffers(handle) ? 0 : errnoOf(GetLastError());
}

int resizeFile(int fd, int64_t size) { return ::_chsize_s(fd, size); }

// Windows allocates the room of a file extended by SetEndOfFile at once (a full disk fails
// the call), so growing the file to its new length reserves it.
int reserveRoom(int fd, int64_t size) {
    const int64_t old = fileSize(fd);
    if (old < 0) return errno;
    return size > old ? resizeFile(fd, size) : 0;
}

int createTemporaryFile(std::string& pattern) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> letter(0, static_cast<int>(sizeof kLetters) - 2);
    if (pattern.size() < 6) {
        errno = EINVAL;
        return -1;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (size_t i = pattern.size() - 6; i < pattern.size(); ++i) pattern[i] = kLetters[letter(random)];
        const int fd = openFile(pattern, OpenFor::CreatingNew);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

int setPageMode(int, const std::string&) { return 0; }

EntryKind entryKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideText(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::None;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? EntryKind::Other : EntryKind::File;
}

bool fileExists(const std::string& path) { return ::_waccess(wideText(path).c_str(), 0) == 0; }

bool isWritableFile(const std::string& path) { return ::_waccess(wideText(path).c_str(), 2) == 0; }

}  // namespace gravmark::platform
