#include "report/site_change.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "report/cannot_create.h"
#include "report/write_all.h"

namespace gravmark {

namespace {

namespace fs = std::filesystem;

constexpr mode_t kFileMode = 0644;
constexpr mode_t kFolderMode = 0755;
constexpr std::string_view kStagingPrefix = ".site.";
// Where the old entries go on a file system that cannot exchange two names.
constexpr const char* kReplaced = ".replaced";

bool lstatOf(const std::string& path, struct stat& info) { return ::lstat(path.c_str(), &info) == 0; }

// A staging folder of a run that no longer holds its lock: removed with what it holds.
void removeIfAbandoned(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    ::close(fd);
}

void removeAbandonedStaging(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() == kStagingPrefix.size() + 6 && name.starts_with(kStagingPrefix))
            removeIfAbandoned(folder + "/" + std::string(name));
    }
    ::closedir(dir);
}

mode_t modeReplacing(const std::string& target) {
    struct stat old {};
    return lstatOf(target, old) && S_ISREG(old.st_mode) ? old.st_mode & 07777 : kFileMode;
}

// The old entry may be replaced by an entry of this kind: none there, a link, or the same kind.
int kindMismatch(const std::string& target, bool folder) {
    struct stat old {};
    if (!lstatOf(target, old) || S_ISLNK(old.st_mode)) return 0;
    if (folder && !S_ISDIR(old.st_mode)) return ENOTDIR;
    if (!folder && S_ISDIR(old.st_mode)) return EISDIR;
    return 0;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// How one entry was put in place, so that it can be taken back.
enum class Placed { New, Exchanged, Moved };

struct Placement {
    std::string target, staged, replaced;
    Placed how;
};

bool exists(const std::string& path) {
    struct stat info {};
    return lstatOf(path, info);
}

// 0 or the errno of the rename that failed.
int place(Placement& step) {
    if (!exists(step.target)) {
        step.how = Placed::New;
        return ::rename(step.staged.c_str(), step.target.c_str()) == 0 ? 0 : errno;
    }
    step.how = Placed::Exchanged;
    if (::renameat2(AT_FDCWD, step.staged.c_str(), AT_FDCWD, step.target.c_str(), RENAME_EXCHANGE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // Two renames: for a moment the name is missing, but never half-written.
    step.how = Placed::Moved;
    if (::rename(step.target.c_str(), step.replaced.c_str()) != 0) return errno;
    if (::rename(step.staged.c_str(), step.target.c_str()) == 0) return 0;
    const int error = errno;
    ::rename(step.replaced.c_str(), step.target.c_str());
    return error;
}

void takeBack(const Placement& step) {
    switch (step.how) {
        case Placed::New:
            ::rename(step.target.c_str(), step.staged.c_str());
            break;
        case Placed::Exchanged:
            ::renameat2(AT_FDCWD, step.staged.c_str(), AT_FDCWD, step.target.c_str(), RENAME_EXCHANGE);
            break;
        case Placed::Moved:
            ::rename(step.target.c_str(), step.staged.c_str());
            ::rename(step.replaced.c_str(), step.target.c_str());
            break;
    }
}

}  // namespace

SiteChange::SiteChange(const std::string& folder, const std::string& shownOnFailure)
    : folder_(folder.empty() ? "." : folder) {
    removeAbandonedStaging(folder_);
    staging_ = folder_ + "/" + std::string(kStagingPrefix) + "XXXXXX";
    if (!::mkdtemp(staging_.data())) {
        const int error = errno;
        staging_.clear();
        throwCannotCreate(
            shownOnFailure.empty() ? folder_ + "/" + std::string(kStagingPrefix) : shownOnFailure, error);
    }
    lock_ = ::open(staging_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_ < 0 || ::flock(lock_, LOCK_EX) != 0 || ::chmod(staging_.c_str(), kFolderMode) != 0) {
        const int error = errno;
        release();
        throwCannotCreate(staging_, error);
    }
}

SiteChange::~SiteChange() { release(); }

void SiteChange::release() {
    std::error_code ignored;
    if (!staging_.empty()) fs::remove_all(staging_, ignored);
    if (lock_ >= 0) ::close(lock_);
    lock_ = -1;
}

std::string SiteChange::stagedPath(const std::string& name) const { return staging_ + "/" + name; }

void SiteChange::addEntry(const std::string& name, bool folder) {
    if (name.find('/') == std::string::npos) entries_.push_back({name, folder});
}

void SiteChange::addFile(const std::string& name, std::string_view bytes, bool durable) {
    const std::string path = stagedPath(name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd < 0) throwCannotCreate(folder_ + "/" + name, errno);
    int error = 0;
    if (!writeAll(fd, bytes)) error = errno;
    if (error == 0 && name.find('/') == std::string::npos &&
        ::fchmod(fd, modeReplacing(folder_ + "/" + name)) != 0)
        error = errno;
    if (error == 0 && durable && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) throwCannotCreate(folder_ + "/" + name, error);
    addEntry(name, false);
}

void SiteChange::addFolder(const std::string& name) {
    const std::string path = stagedPath(name);
    if (::mkdir(path.c_str(), kFolderMode) != 0 || ::chmod(path.c_str(), kFolderMode) != 0)
        throwCannotCreate(folder_ + "/" + name, errno);
    addEntry(name, true);
}

void SiteChange::commit() {
    for (const Entry& entry : entries_) {
        if (const int error = kindMismatch(folder_ + "/" + entry.name, entry.folder))
            throwCannotCreate(folder_ + "/" + entry.name, error);
    }
    const std::string replaced = stagedPath(kReplaced);
    if (::mkdir(replaced.c_str(), kFolderMode) != 0) throwCannotCreate(replaced, errno);
    syncFolder(staging_);
    std::vector<Placement> done;
    for (const Entry& entry : entries_) {
        Placement step{folder_ + "/" + entry.name, stagedPath(entry.name), replaced + "/" + entry.name,
                       Placed::New};
        if (const int error = place(step); error != 0) {
            for (auto it = done.rbegin(); it != done.rend(); ++it) takeBack(*it);
            throwCannotCreate(step.target, error);
        }
        done.push_back(std::move(step));
    }
    syncFolder(folder_);
}

}  // namespace gravmark
