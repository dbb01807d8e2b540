#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file_replace.h"

namespace gravmark::platform {

int replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int exchangeEntries(const std::string& first, const std::string& second) {
    return ::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0 ? 0 : errno;
}

int addName(const std::string& existing, const std::string& added) {
    return ::link(existing.c_str(), added.c_str()) == 0 ? 0 : errno;
}

int renameEntry(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string failureText(int error) { return std::strerror(error); }

}  // namespace gravmark::platform
