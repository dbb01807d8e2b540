#include "report/write_page.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "common/text_box_lines.h"
#include "report/cannot_create.h"
#include "report/fd_stream_buffer.h"

namespace gravmark {

namespace {

namespace fs = std::filesystem;

constexpr mode_t kNewPageMode = 0644;

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The temporary file beside the page, opened for writing; its name is filled in.
// -1 with errno set when it cannot be made. The name does not grow with the page's
// name, so a page named near the file system's length limit can still be written.
int createTemporary(const std::string& file, std::string& name) {
    const std::string folder = fs::path(file).parent_path().string();
    name = (folder.empty() ? std::string(".") : folder) + "/.page.XXXXXX";
    return ::mkostemp(name.data(), O_CLOEXEC);
}

// A link's target is nobody's business here: a link is replaced by a new page of its own.
mode_t modeFor(const std::string& target) {
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
    return kNewPageMode;
}

// Writes the page; the errno of the first failed write, 0 on success.
int fill(int fd, const TextBoxLines& page) {
    FdStreamBuffer buffer(fd);
    std::ostream out(&buffer);
    page.writeText(out);
    return buffer.flush() ? 0 : buffer.error();
}

// Flushes the file to disk and closes it; `error` (0 when all went well so far) or the
// first failure of these two.
int syncAndClose(int fd, int error) {
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

// The page's bytes as writeText gives them: its rows joined by CR LF.
off_t byteSize(const TextBoxLines& page) {
    off_t size = 0;
    for (size_t i = 0; i < page.rowCount(); ++i) size += static_cast<off_t>(page.row(i).size());
    return size + 2 * static_cast<off_t>(page.rowCount() - 1);
}

// Room for the first `size` bytes of the file, its bytes unchanged; the errno on failure,
// when the file has its old length again.
int reserve(int fd, off_t size) {
    struct stat old {};
    if (::fstat(fd, &old) != 0) return errno;
    if (size == 0) return 0;
    const int error = ::posix_fallocate(fd, 0, size);
    if (error != 0 && size > old.st_size && ::ftruncate(fd, old.st_size) != 0) return errno;
    return error;
}

// Room for the whole new page is reserved before a byte of the old one is overwritten,
// and the file is cut to the new length only once all of it is written: a full disk or a
// file size limit then fails the save with the old page whole.
void rewriteInPlace(const TextBoxLines& page, const std::string& target) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) throwCannotCreate(target, errno);
    const off_t size = byteSize(page);
    int error = reserve(fd, size);
    if (error == 0) error = fill(fd, page);
    if (error == 0 && ::ftruncate(fd, size) != 0) error = errno;
    // The file keeps its mode and owner; only its owner could change them anyway.
    if (const int failure = syncAndClose(fd, error); failure != 0) throwCannotCreate(target, failure);
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
    // A write-protected page stays protected, as when the file itself was rewritten.
    if (isRegularFile(target) && ::access(target.c_str(), W_OK) != 0) throwCannotCreate(target, errno);

    std::string temporary;
    const int fd = createTemporary(target, temporary);
    int error = fd < 0 ? errno : fill(fd, page);
    if (fd >= 0) {
        if (error == 0 && ::fchmod(fd, modeFor(target)) != 0) error = errno;
        error = syncAndClose(fd, error);
    }
    // The rename replaces the name: a symbolic link there is replaced, never written through.
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error == 0) {
        syncFolderOf(target);
        return;
    }
    if (fd >= 0) ::unlink(temporary.c_str());
    // A folder that takes no new entries from this user may still hold a page the user
    // may rewrite (a shared web folder): rewriting it in place is then the only way.
    if ((error == EACCES || error == EPERM) && isRegularFile(target) && ::access(target.c_str(), W_OK) == 0) {
        rewriteInPlace(page, target);
        return;
    }
    throwCannotCreate(target, error);
}

}  // namespace gravmark
