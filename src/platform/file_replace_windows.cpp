#include "platform/file_replace.h"

#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/wide_text.h"

namespace gravmark::platform {

namespace {

int lastError() { return errnoOf(GetLastError()); }

}  // namespace

// MoveFileExW replaces the target's directory entry in one step and, with WRITE_THROUGH,
// returns only once the move is on the disk (Linux needs syncFolder for that).
int replaceFile(const std::string& from, const std::string& to) {
    const bool moved = MoveFileExW(wideText(from).c_str(), wideText(to).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return moved ? 0 : lastError();
}

int exchangeFolders(const std::string&, const std::string&) { return ENOSYS; }

int addName(const std::string& existing, const std::string& added) {
    return CreateHardLinkW(wideText(added).c_str(), wideText(existing).c_str(), nullptr) ? 0 : lastError();
}

int renameEntry(const std::string& from, const std::string& to) {
    return MoveFileExW(wideText(from).c_str(), wideText(to).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : lastError();
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
