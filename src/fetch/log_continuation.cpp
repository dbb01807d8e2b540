#include "fetch/log_continuation.h"

#include <QDateTime>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/error.h"
#include "common/rotated_copies.h"
#include "fetch/local_log_file.h"
#include "platform/file_replace.h"
#include "platform/native_path.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;

bool exists(const std::string& path) { return fs::exists(fs::symlink_status(platform::nativePath(path))); }

int64_t sizeOf(const std::string& path) {
    std::error_code unreadable;
    const auto size = fs::file_size(platform::nativePath(path), unreadable);
    if (unreadable) throw Error("Cannot open file \"" + path + "\". " + unreadable.message());
    return static_cast<int64_t>(size);
}

std::ifstream openForReading(const std::string& path) {
    std::ifstream file(platform::nativePath(path), std::ios::binary);
    if (!file) throw Error("Cannot open file \"" + path + "\". " + std::strerror(errno));
    return file;
}

// The last `length` bytes of the file.
std::string tailOf(const std::string& path, int64_t length) {
    std::ifstream file = openForReading(path);
    file.seekg(-length, std::ios::end);
    std::string tail(static_cast<size_t>(length), '\0');
    if (!file.read(tail.data(), length)) throw Error("Cannot read file \"" + path + "\".");
    return tail;
}

// Whether the file at `path` begins with every byte of the file at `prefixPath`.
bool beginsWith(const std::string& path, const std::string& prefixPath) {
    if (sizeOf(path) < sizeOf(prefixPath)) return false;
    std::ifstream file = openForReading(path);
    std::ifstream prefix = openForReading(prefixPath);
    std::vector<char> a(1 << 20), b(1 << 20);
    while (prefix.read(b.data(), static_cast<std::streamsize>(b.size())) || prefix.gcount() > 0) {
        const auto length = prefix.gcount();
        if (!file.read(a.data(), length) || std::memcmp(a.data(), b.data(), static_cast<size_t>(length)) != 0)
            return false;
    }
    return true;
}

void rename(const std::string& from, const std::string& to) {
    if (const int failed = platform::replaceFile(from, to); failed != 0)
        throw Error("Cannot rename \"" + from + "\" to \"" + to + "\". " + platform::failureText(failed));
}

}  // namespace

LogContinuation::LogContinuation(std::string logPath, FetchNotifications notifications)
    : logPath_(std::move(logPath)), notifications_(std::move(notifications)) {}

FetchOutcome LogContinuation::run(RemoteLog& remote) {
    remoteSize_ = remote.size();
    if (exists(partPath())) {
        // An earlier whole fetch broke off: finish it first.
        if (continueCopy(remote, partPath()) == Continued::NotTheSameLog) fetchWhole(remote);
    } else if (exists(logPath_)) {
        switch (continueCopy(remote, logPath_)) {
            case Continued::Unchanged:
                return FetchOutcome::UpToDate;
            case Continued::Appended:
                return FetchOutcome::Appended;
            case Continued::NotTheSameLog:
                fetchWhole(remote);
        }
    } else {
        fetchWhole(remote);
    }
    replaceCopyWithPart();
    return FetchOutcome::Replaced;
}

LogContinuation::Continued LogContinuation::continueCopy(RemoteLog& remote, const std::string& copyPath) {
    const int64_t localSize = sizeOf(copyPath);
    if (remoteSize_ && *remoteSize_ == localSize) return Continued::Unchanged;
    if (remoteSize_ && *remoteSize_ < localSize) return Continued::NotTheSameLog;

    const int64_t overlap = std::min(localSize, kOverlap);
    const std::string expected = tailOf(copyPath, overlap);
    LocalLogFile copy(copyPath);
    size_t compared = 0;
    bool differs = false;
    int64_t appended = 0;
    try {
        transfer(remote, localSize - overlap, copyPath, [&](std::string_view block) {
            if (compared < expected.size()) {
                const size_t length = std::min(block.size(), expected.size() - compared);
                if (block.substr(0, length) != std::string_view(expected).substr(compared, length)) {
                    differs = true;
                    return false;
                }
                compared += length;
                block.remove_prefix(length);
            }
            copy.append(block.data(), block.size());
            appended += static_cast<int64_t>(block.size());
            return true;
        });
    } catch (const RestartRefused&) {
        return Continued::NotTheSameLog;
    }
    // A remote log that ends inside the overlap is shorter than the copy: rotated.
    if (differs || compared < expected.size()) return Continued::NotTheSameLog;
    return appended > 0 ? Continued::Appended : Continued::Unchanged;
}

void LogContinuation::fetchWhole(RemoteLog& remote) {
    try {
        LocalLogFile part(partPath(), LocalLogFile::Start::Empty);
        transfer(remote, 0, partPath(), [&](std::string_view block) {
            part.append(block.data(), block.size());
            return true;
        });
    } catch (const LocalWriteFailed&) {
        removePart();
        throw;
    } catch (...) {
        // What came is continued by the next fetch; an empty part would only be in the way.
        if (sizeOf(partPath()) == 0) removePart();
        throw;
    }
}

void LogContinuation::removePart() const {
    std::error_code ignored;
    fs::remove(platform::nativePath(partPath()), ignored);
}

void LogContinuation::transfer(RemoteLog& remote, int64_t offset, const std::string& copyPath,
                               const std::function<bool(std::string_view)>& receive) {
    if (notifications_.onWorkBegin) notifications_.onWorkBegin(remoteSize_.value_or(-1));
    int64_t received = 0;
    bool stopped = false;
    try {
        remote.read(offset, [&](std::string_view block) {
            received += static_cast<int64_t>(block.size());
            if (notifications_.onWork) notifications_.onWork(received);
            stopped = !receive(block);
            return !stopped;
        });
    } catch (const TransferDropped&) {
        const std::string copySize = std::to_string(sizeOf(copyPath));
        const std::string of = remoteSize_ ? " of " + std::to_string(*remoteSize_) : "";
        throw TransferDropped("The server closed the connection after " + copySize + of +
                              " bytes; the next fetch continues from there.");
    }
    if (!stopped && notifications_.onWorkEnd) notifications_.onWorkEnd();
}

void LogContinuation::replaceCopyWithPart() {
    keptCopy_.clear();
    if (exists(logPath_) && !beginsWith(partPath(), logPath_)) {
        keptCopy_ = newRotatedCopyPath(logPath_, QDateTime::currentDateTime());
        rename(logPath_, keptCopy_);
    }
    rename(partPath(), logPath_);
}

}  // namespace gravmark
