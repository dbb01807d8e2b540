#include <io.h>
#include <windows.h>

#include <cstdint>

#include "platform/mapped_file.h"

namespace gravmark::platform {

const char* mapFile(int fd, size_t size, MapPages) {
    // Windows brings a view's pages in as they are read, reading ahead on its own.
    if (size == 0) return nullptr;
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    const auto wide = static_cast<unsigned long long>(size);
    HANDLE mapping = ::CreateFileMappingW(file, nullptr, PAGE_READONLY, static_cast<DWORD>(wide >> 32),
                                          static_cast<DWORD>(wide & 0xffffffffu), nullptr);
    if (mapping == nullptr) return nullptr;
    // The view keeps the mapping object alive on its own.
    void* bytes = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, size);
    ::CloseHandle(mapping);
    return static_cast<const char*>(bytes);
}

void unmapFile(const char* bytes, size_t) {
    if (bytes) ::UnmapViewOfFile(bytes);
}

void loadMappedPages(const char*, const char*) {
    // Left to Windows' own read-ahead (PrefetchVirtualMemory does nothing under Wine).
}

void releaseMappedPages(const char* begin, const char* end) {
    SYSTEM_INFO system;
    ::GetSystemInfo(&system);
    const uintptr_t page = system.dwPageSize;
    const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
    const uintptr_t last = reinterpret_cast<uintptr_t>(end) / page * page;
    // Unlocking pages that are not locked takes them out of the program's working set;
    // the call reports that they were not locked, which is expected.
    if (first < last) ::VirtualUnlock(reinterpret_cast<void*>(first), last - first);
}

}  // namespace gravmark::platform
