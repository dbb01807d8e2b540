#include "fetch/local_log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace gravmark {
namespace {

std::string fileError(const char* what, const std::string& path) {
    return std::string(what) + " \"" + path + "\". " + std::strerror(errno);
}

}  // namespace

LocalLogFile::LocalLogFile(const std::string& path, Start start) : path_(path) {
    const int emptied = start == Start::Empty ? O_TRUNC : 0;
    descriptor_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | emptied, 0666);
    if (descriptor_ < 0) throw Error(fileError("Cannot open file", path_));
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        ::close(descriptor_);
        throw Error(fileError("Cannot open file", path_));
    }
    initialSize_ = status.st_size;
}

LocalLogFile::~LocalLogFile() { ::close(descriptor_); }

void LocalLogFile::append(const char* data, size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(descriptor_, data, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) throw LocalWriteFailed(fileError("Cannot write file", path_));
        data += written;
        length -= static_cast<size_t>(written);
    }
}

}  // namespace gravmark
