#include "report/write_page.h"

#include <cerrno>
#include <filesystem>
#include <ostream>

#include "common/text_box_lines.h"
#include "platform/file_access.h"
#include "platform/file_replace.h"
#include "platform/native_path.h"
#include "report/cannot_create.h"
#include "report/fd_stream_buffer.h"

namespace gravmark {

namespace {

bool isRegularFile(const std::string& path) { return platform::entryKind(path) == platform::EntryKind::File; }

std::string folderOf(const std::string& file) {
    const std::string folder = platform::pathBytes(platform::nativePath(file).parent_path());
    return folder.empty() ? std::string(".") : folder;
}

// The temporary file beside the page, opened for writing; its name is filled in.
// -1 with errno set when it cannot be made. The name does not grow with the page's
// name, so a page named near the file system's length limit can still be written.
int createTemporary(const std::string& file, std::string& name) {
    name = folderOf(file) + "/.page.XXXXXX";
    return platform::createTemporaryFile(name);
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
    if (error == 0) error = platform::syncFile(fd);
    if (platform::closeFile(fd) != 0 && error == 0) error = errno;
    return error;
}

// The page's bytes as writeText gives them: its rows joined by CR LF.
int64_t byteSize(const TextBoxLines& page) {
    int64_t size = 0;
    for (size_t i = 0; i < page.rowCount(); ++i) size += static_cast<int64_t>(page.row(i).size());
    return size + 2 * static_cast<int64_t>(page.rowCount() - 1);
}

// Room for the whole new page is reserved before a byte of the old one is overwritten,
// and the file is cut to the new length only once all of it is written: a full disk or a
// file size limit then fails the save with the old page whole.
void rewriteInPlace(const TextBoxLines& page, const std::string& target) {
    const int fd = platform::openFile(target, platform::OpenFor::Rewriting);
    if (fd < 0) throwCannotCreate(target, errno);
    const int64_t size = byteSize(page);
    int error = platform::reserveRoom(fd, size);
    if (error == 0) error = fill(fd, page);
    if (error == 0) error = platform::resizeFile(fd, size);
    // The file keeps its mode and owner; only its owner could change them anyway.
    if (const int failure = syncAndClose(fd, error); failure != 0) throwCannotCreate(target, failure);
}

}  // namespace

void writePage(const TextBoxLines& page, const std::string& target) {
    // A write-protected page stays protected, as when the file itself was rewritten.
    if (isRegularFile(target) && !platform::isWritableFile(target)) throwCannotCreate(target, errno);

    std::string temporary;
    const int fd = createTemporary(target, temporary);
    int error = fd < 0 ? errno : fill(fd, page);
    if (fd >= 0) {
        if (error == 0) error = platform::setPageMode(fd, target);
        error = syncAndClose(fd, error);
    }
    // The rename replaces the name: a symbolic link there is replaced, never written through.
    if (error == 0) error = platform::replaceFile(temporary, target);
    if (error == 0) {
        platform::syncFolder(folderOf(target));
        return;
    }
    if (fd >= 0) platform::removeFile(temporary);
    // A folder that takes no new entries from this user may still hold a page the user
    // may rewrite (a shared web folder): rewriting it in place is then the only way.
    if ((error == EACCES || error == EPERM) && isRegularFile(target) && platform::isWritableFile(target)) {
        rewriteInPlace(page, target);
        return;
    }
    throwCannotCreate(target, error);
}

}  // namespace gravmark
