#include <sys/mman.h>

#include "platform/mapped_file.h"

namespace gravmark::platform {

const char* mapFile(int fd, size_t size) {
    if (size == 0) return nullptr;
#ifdef MAP_POPULATE
    // All pages at once: one call instead of a fault per 4 KB page on the first read.
    constexpr int kFlags = MAP_PRIVATE | MAP_POPULATE;
#else
    constexpr int kFlags = MAP_PRIVATE;
#endif
    void* bytes = ::mmap(nullptr, size, PROT_READ, kFlags, fd, 0);
    if (bytes == MAP_FAILED) return nullptr;
    return static_cast<const char*>(bytes);
}

void unmapFile(const char* bytes, size_t size) {
    if (bytes) ::munmap(const_cast<char*>(bytes), size);
}

}  // namespace gravmark::platform
