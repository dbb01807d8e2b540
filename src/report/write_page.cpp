#include "report/write_page.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>

#include "common/error.h"
#include "common/text_box_lines.h"
#include "report/fd_stream_buffer.h"

namespace gravmark {

namespace {

namespace fs = std::filesystem;

constexpr mode_t kNewPageMode = 0644;

std::string fullPath(const std::string& target) {
    std::error_code ignored;
    const fs::path absolute = fs::absolute(target, ignored);
    return absolute.empty() ? target : absolute.lexically_normal().string();
}

[[noreturn]] void cannotCreate(const std::string& target, int error) {
    throw Error("Cannot create file \"" + fullPath(target) + "\". " + std::strerror(error));
}

// A page reached through a symbolic link is replaced where it really lies.
std::string pageFile(const std::string& target) {
    std::error_code error;
    if (!fs::is_symlink(target, error)) return target;
    const fs::path resolved = fs::weakly_canonical(target, error);
    return error || resolved.empty() ? target : resolved.string();
}

// The temporary file beside the page, opened for writing; its name is filled in.
// -1 with errno set when it cannot be made. The name does not grow with the page's
// name, so a page named near the file system's length limit can still be written.
int createTemporary(const std::string& file, std::string& name) {
    const std::string folder = fs::path(file).parent_path().string();
    name = (folder.empty() ? std::string(".") : folder) + "/.page.XXXXXX";
    return ::mkostemp(name.data(), O_CLOEXEC);
}

mode_t modeFor(const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
    return kNewPageMode;
}

// Writes, gives the file `mode` when one is given, flushes to disk and closes; the errno
// of the first failure, 0 on success.
int fillAndClose(int fd, const TextBoxLines& page, std::optional<mode_t> mode) {
    FdStreamBuffer buffer(fd);
    std::ostream out(&buffer);
    page.writeText(out);
    int error = buffer.flush() ? 0 : buffer.error();
    if (error == 0 && mode && ::fchmod(fd, *mode) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

void rewriteInPlace(const TextBoxLines& page, const std::string& target, const std::string& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) cannotCreate(target, errno);
    // The file keeps its mode and owner; only its owner could change them anyway.
    if (const int error = fillAndClose(fd, page, std::nullopt); error != 0) cannotCreate(target, error);
}

// Makes the rename itself durable; a folder that cannot be synced costs only that.
void syncFolderOf(const std::string& target) {
    const fs::path folder = fs::path(target).parent_path();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void writePage(const TextBoxLines& page, const std::string& target) {
    const std::string file = pageFile(target);
    // A write-protected page stays protected, as when the file itself was rewritten.
    if (::access(file.c_str(), F_OK) == 0 && ::access(file.c_str(), W_OK) != 0) cannotCreate(target, errno);

    std::string temporary;
    const int fd = createTemporary(file, temporary);
    int error = fd < 0 ? errno : fillAndClose(fd, page, modeFor(file));
    if (error == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) error = errno;
    if (error == 0) {
        syncFolderOf(file);
        return;
    }
    if (fd >= 0) ::unlink(temporary.c_str());
    // A folder that takes no new entries from this user may still hold a page the user
    // may rewrite (a shared web folder): rewriting it in place is then the only way.
    if ((error == EACCES || error == EPERM) && ::access(file.c_str(), W_OK) == 0) {
        rewriteInPlace(page, target, file);
        return;
    }
    cannotCreate(target, error);
}

}  // namespace gravmark
