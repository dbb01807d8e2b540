#include <windows.h>

#include <cerrno>
#include <random>

#include "platform/folder_access.h"
#include "platform/wide_text.h"

namespace gravmark::platform {

int makeFolder(const std::string& path) {
    return CreateDirectoryW(wideText(path).c_str(), nullptr) ? 0 : errnoOf(GetLastError());
}

int makeTemporaryFolder(std::string& pattern) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> letter(0, static_cast<int>(sizeof kLetters) - 2);
    if (pattern.size() < 6) return EINVAL;
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (size_t i = pattern.size() - 6; i < pattern.size(); ++i) pattern[i] = kLetters[letter(random)];
        const int error = makeFolder(pattern);
        if (error != EEXIST) return error;
    }
    return EEXIST;
}

// The live run keeps the folder open, sharing it for reading and writing; the probe of
// lockFolder(path, false) shares nothing, so it opens only a folder nobody holds. Waiting
// is not needed on Windows: only the folder's maker locks it waiting, before anyone knows it.
intptr_t lockFolder(const std::string& path, bool wait) {
    const DWORD sharing = wait ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const HANDLE folder = CreateFileW(wideText(path).c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        errno = error == ERROR_SHARING_VIOLATION ? EWOULDBLOCK : errnoOf(error);
        return -1;
    }
    return reinterpret_cast<intptr_t>(folder);
}

void unlockFolder(intptr_t lock) {
    if (lock != -1) CloseHandle(reinterpret_cast<HANDLE>(lock));
}

}  // namespace gravmark::platform
