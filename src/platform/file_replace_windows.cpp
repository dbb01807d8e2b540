#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/file_replace.h"
#include "platform/wide_text.h"

namespace gravmark::platform {

namespace {

int lastError() { return errnoOf(GetLastError()); }

// Windows refuses to move or replace a file that another program holds open (unless that
// program shares it for deletion) with "access denied", the same words as for a protected
// file; trying to open it for deletion tells the two apart.
int moveFailure(const std::string& held) {
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED) return errnoOf(error);
    const HANDLE file =
        CreateFileW(wideText(held).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return EACCES;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION ? EBUSY : EACCES;
}

}  // namespace

// MoveFileExW replaces the target's directory entry in one step and, with WRITE_THROUGH,
// returns only once the move is on the disk (Linux needs syncFolder for that).
int replaceFile(const std::string& from, const std::string& to) {
    const bool moved = MoveFileExW(wideText(from).c_str(), wideText(to).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return moved ? 0 : moveFailure(to);
}

int exchangeEntries(const std::string&, const std::string&) { return ENOSYS; }

int addName(const std::string& existing, const std::string& added) {
    return CreateHardLinkW(wideText(added).c_str(), wideText(existing).c_str(), nullptr) ? 0 : lastError();
}

int renameEntry(const std::string& from, const std::string& to) {
    return MoveFileExW(wideText(from).c_str(), wideText(to).c_str(), MOVEFILE_WRITE_THROUGH)
               ? 0
               : moveFailure(from);
}

int removeFile(const std::string& path) { return DeleteFileW(wideText(path).c_str()) ? 0 : lastError(); }

void syncFolder(const std::string&) {}

std::string failureText(int error) {
    // The C library's words for these are a device's, not what a Windows user meets.
    if (error == EBUSY) return "The file is open in another program.";
    if (error == EACCES) return "Access is denied.";
    return std::strerror(error);
}

}  // namespace gravmark::platform
