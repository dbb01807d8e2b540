#include <io.h>
#include <windows.h>

#include "platform/mapped_file.h"

namespace gravmark::platform {

const char* mapFile(int fd, size_t size) {
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

}  // namespace gravmark::platform
