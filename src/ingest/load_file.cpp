#include "ingest/load_file.h"

#include <cerrno>
#include <cstring>

#include "common/error.h"
#include "platform/file_access.h"
#include "platform/mapped_file.h"

namespace gravmark {

namespace {

[[noreturn]] void fail(const char* what, const std::string& path) {
    throw Error(std::string(what) + " \"" + path + "\". " + std::strerror(errno));
}

}  // namespace

LoadFile::LoadFile(const std::string& path)
    : path_(path), fd_(platform::openFile(path, platform::OpenFor::Reading)) {
    if (fd_ < 0) fail("Cannot open file", path_);
}

LoadFile::~LoadFile() { platform::closeFile(fd_); }

uint64_t LoadFile::size() const {
    const int64_t size = platform::fileSize(fd_);
    if (size < 0) fail("Cannot read file", path_);
    return static_cast<uint64_t>(size);
}

void LoadFile::seekTo(uint64_t offset) {
    if (platform::seekFile(fd_, static_cast<int64_t>(offset)) != 0) fail("Cannot read file", path_);
}

size_t LoadFile::read(char* into, size_t size) {
    size_t done = 0;
    while (done < size) {
        const int64_t got = platform::readSome(fd_, into + done, size - done);
        if (got == 0) break;
        if (got < 0) fail("Cannot read file", path_);
        done += static_cast<size_t>(got);
    }
    return done;
}

const char* LoadFile::map(size_t size, platform::MapPages pages) const {
    return platform::mapFile(fd_, size, pages);
}

}  // namespace gravmark
