#include "ftp/local_log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace gravmark {
namespace {

[[noreturn]] void throwFileError(const char* what, const std::string& path) {
    throw Error(std::string(what) + " \"" + path + "\". " + std::strerror(errno));
}

}  // namespace

LocalLogFile::LocalLogFile(const std::string& path) : path_(path) {
    descriptor_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (descriptor_ < 0) throwFileError("Cannot open file", path_);
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        ::close(descriptor_);
        throwFileError("Cannot open file", path_);
    }
    initialSize_ = status.st_size;
}

LocalLogFile::~LocalLogFile() { ::close(descriptor_); }

void LocalLogFile::append(const char* data, size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(descriptor_, data, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) throwFileError("Cannot write file", path_);
        data += written;
        length -= static_cast<size_t>(written);
    }
}

}  // namespace gravmark
