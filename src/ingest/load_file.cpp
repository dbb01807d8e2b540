#include "ingest/load_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace gravmark {

namespace {

[[noreturn]] void fail(const char* what, const std::string& path) {
    throw Error(std::string(what) + " \"" + path + "\". " + std::strerror(errno));
}

}  // namespace

LoadFile::LoadFile(const std::string& path) : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) fail("Cannot open file", path_);
}

LoadFile::~LoadFile() { ::close(fd_); }

uint64_t LoadFile::size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) fail("Cannot read file", path_);
    return static_cast<uint64_t>(st.st_size);
}

void LoadFile::seekTo(uint64_t offset) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) fail("Cannot read file", path_);
}

size_t LoadFile::read(char* into, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd_, into + done, size - done);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            fail("Cannot read file", path_);
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

}  // namespace gravmark
