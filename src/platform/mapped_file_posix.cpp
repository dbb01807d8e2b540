#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "platform/mapped_file.h"

namespace gravmark::platform {

const char* mapFile(int fd, size_t size, MapPages pages) {
    if (size == 0) return nullptr;
    int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
    if (pages == MapPages::AllAtOnce) flags |= MAP_POPULATE;
#endif
    void* bytes = ::mmap(nullptr, size, PROT_READ, flags, fd, 0);
    if (bytes == MAP_FAILED) return nullptr;
    return static_cast<const char*>(bytes);
}

void unmapFile(const char* bytes, size_t size) {
    if (bytes) ::munmap(const_cast<char*>(bytes), size);
}

void loadMappedPages(const char* begin, const char* end) {
#ifdef MADV_POPULATE_READ
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t first = reinterpret_cast<uintptr_t>(begin) / page * page;
    if (first < reinterpret_cast<uintptr_t>(end))
        ::madvise(reinterpret_cast<void*>(first), reinterpret_cast<uintptr_t>(end) - first,
                  MADV_POPULATE_READ);
#endif
}

void releaseMappedPages(const char* begin, const char* end) {
    const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
    const uintptr_t last = reinterpret_cast<uintptr_t>(end) / page * page;
    // A private mapping never written to: its dropped pages are read from the file again.
    if (first < last) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

}  // namespace gravmark::platform
