#pragma once
// A log file opened for reading, read in blocks straight into the caller's memory.
// Failures throw gravmark::Error with the system's text for the error.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/mapped_file.h"

namespace gravmark {

class LoadFile {
public:
    // Throws "Cannot open file \"<path>\". <system text>".
    explicit LoadFile(const std::string& path);
    ~LoadFile();
    LoadFile(const LoadFile&) = delete;
    LoadFile& operator=(const LoadFile&) = delete;

    uint64_t size() const;
    // The next read starts at byte `offset` of the file.
    void seekTo(uint64_t offset);
    // Reads up to `size` bytes; fewer only at the end of the file.
    size_t read(char* into, size_t size);
    // The first `size` bytes mapped read-only, valid until platform::unmapFile (closing the
    // file keeps them); nullptr when the system cannot map them.
    const char* map(size_t size, platform::MapPages pages) const;

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace gravmark
