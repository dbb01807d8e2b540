#include "report/site_change.h"

#include <cerrno>
#include <filesystem>

#include "platform/file_access.h"
#include "platform/file_replace.h"
#include "platform/folder_access.h"
#include "platform/native_path.h"
#include "report/cannot_create.h"

namespace gravmark {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kStagingPrefix = ".site.";
// Where the old entries go on a file system that cannot exchange two names.
constexpr const char* kReplaced = ".replaced";

// A staging folder of a run that no longer holds its lock: removed with what it holds.
// Its name is never made again, so nothing new can be in it once the lock is let go.
void removeIfAbandoned(const std::string& path) {
    const intptr_t lock = platform::lockFolder(path, false);
    if (lock == -1) return;
    platform::unlockFolder(lock);
    std::error_code ignored;
    fs::remove_all(platform::nativePath(path), ignored);
}

void removeAbandonedStaging(const std::string& folder) {
    std::error_code unreadable;
    std::vector<std::string> abandoned;
    for (const auto& entry : fs::directory_iterator(platform::nativePath(folder), unreadable)) {
        const std::string name = platform::pathBytes(entry.path().filename());
        if (name.size() == kStagingPrefix.size() + 6 && name.starts_with(kStagingPrefix))
            abandoned.push_back(folder + "/" + name);
    }
    for (const std::string& path : abandoned) removeIfAbandoned(path);
}

// The old entry may be replaced by an entry of this kind: none there, a link, or the same kind.
int kindMismatch(const std::string& target, bool folder) {
    const platform::EntryKind old = platform::entryKind(target);
    if (old == platform::EntryKind::None || old == platform::EntryKind::Link) return 0;
    if (folder && old != platform::EntryKind::Folder) return ENOTDIR;
    if (!folder && old == platform::EntryKind::Folder) return EISDIR;
    return 0;
}

// How one entry was put in place, so that it can be taken back.
enum class Placed { New, Exchanged, Moved };

struct Placement {
    std::string target, staged, replaced;
    Placed how;
};

// 0 or the errno of the rename that failed.
int place(Placement& step) {
    if (platform::entryKind(step.target) == platform::EntryKind::None) {
        step.how = Placed::New;
        return platform::renameEntry(step.staged, step.target);
    }
    step.how = Placed::Exchanged;
    const int exchanged = platform::exchangeEntries(step.staged, step.target);
    if (exchanged != EINVAL && exchanged != ENOSYS) return exchanged;
    // Two renames: for a moment the name is missing, but never half-written. On Windows a
    // page another program holds open refuses the first, and the old site stays.
    step.how = Placed::Moved;
    if (const int error = platform::renameEntry(step.target, step.replaced); error != 0) return error;
    const int error = platform::renameEntry(step.staged, step.target);
    if (error != 0) platform::renameEntry(step.replaced, step.target);
    return error;
}

void takeBack(const Placement& step) {
    switch (step.how) {
        case Placed::New:
            platform::renameEntry(step.target, step.staged);
            break;
        case Placed::Exchanged:
            platform::exchangeEntries(step.staged, step.target);
            break;
        case Placed::Moved:
            platform::renameEntry(step.target, step.staged);
            platform::renameEntry(step.replaced, step.target);
            break;
    }
}

}  // namespace

SiteChange::SiteChange(const std::string& folder, const std::string& shownOnFailure)
    : folder_(folder.empty() ? "." : folder) {
    removeAbandonedStaging(folder_);
    staging_ = folder_ + "/" + std::string(kStagingPrefix) + "XXXXXX";
    if (const int error = platform::makeTemporaryFolder(staging_); error != 0) {
        staging_.clear();
        throwCannotCreate(
            shownOnFailure.empty() ? folder_ + "/" + std::string(kStagingPrefix) : shownOnFailure, error);
    }
    lock_ = platform::lockFolder(staging_, true);
    if (lock_ == -1) {
        const int error = errno;
        release();
        throwCannotCreate(staging_, error);
    }
}

SiteChange::~SiteChange() { release(); }

void SiteChange::release() {
    // Unlocked first: Windows removes no folder a handle is open on.
    platform::unlockFolder(lock_);
    lock_ = -1;
    std::error_code ignored;
    if (!staging_.empty()) fs::remove_all(platform::nativePath(staging_), ignored);
}

std::string SiteChange::stagedPath(const std::string& name) const { return staging_ + "/" + name; }

void SiteChange::addEntry(const std::string& name, bool folder) {
    if (name.find('/') == std::string::npos) entries_.push_back({name, folder});
}

void SiteChange::addFile(const std::string& name, std::string_view bytes, bool durable) {
    const std::string path = stagedPath(name);
    const int fd = platform::openFile(path, platform::OpenFor::CreatingNew);
    if (fd < 0) throwCannotCreate(folder_ + "/" + name, errno);
    int error = 0;
    if (!platform::writeAll(fd, bytes.data(), bytes.size())) error = errno;
    if (error == 0 && name.find('/') == std::string::npos)
        error = platform::setPageMode(fd, folder_ + "/" + name);
    if (error == 0 && durable) error = platform::syncFile(fd);
    if (platform::closeFile(fd) != 0 && error == 0) error = errno;
    if (error != 0) throwCannotCreate(folder_ + "/" + name, error);
    addEntry(name, false);
}

void SiteChange::addFolder(const std::string& name) {
    const std::string path = stagedPath(name);
    if (const int error = platform::makeFolder(path); error != 0)
        throwCannotCreate(folder_ + "/" + name, error);
    addEntry(name, true);
}

void SiteChange::commit() {
    for (const Entry& entry : entries_) {
        if (const int error = kindMismatch(folder_ + "/" + entry.name, entry.folder))
            throwCannotCreate(folder_ + "/" + entry.name, error);
    }
    const std::string replaced = stagedPath(kReplaced);
    if (const int error = platform::makeFolder(replaced); error != 0) throwCannotCreate(replaced, error);
    platform::syncFolder(staging_);
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
    platform::syncFolder(folder_);
}

}  // namespace gravmark
