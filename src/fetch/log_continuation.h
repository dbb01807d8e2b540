#pragma once
// The rules that keep the local copy of the log equal to the server's log, the same for
// every transport (FTP, FTP over TLS, SFTP). With a local copy of L bytes and a remote
// log of R bytes:
//
// - R = L: nothing is transferred.
// - R > L, or R unknown: the transfer restarts at L - K (K = min(L, 64 KiB)) and the
//   first K bytes received must equal the copy's last K bytes. Equal: the rest is
//   appended. Different, or the remote log ends inside them: the log was rotated.
// - R < L, or rotated, or a restart the server refuses: the remote log is fetched whole
//   into "games_mp.log.part" beside the copy, which then replaces the copy by a rename.
//   The old copy is kept under a dated name (see rotated_copies.h) unless the new file
//   begins with it (a log that merely grew leaves no dated copy behind).
//
// The copy therefore changes only by verified appended bytes or by the rename of a
// complete new file. A transfer that breaks off keeps what it received: appended bytes
// are a verified prefix of the remote log, and a partial ".part" file is continued by the
// next fetch under the same overlap rule. A whole fetch that could not write (a full
// disk) or received nothing removes its ".part".
#include <cstdint>
#include <optional>
#include <string>

#include "fetch/fetch_notifications.h"
#include "fetch/remote_log.h"

namespace gravmark {

enum class FetchOutcome {
    UpToDate,  // nothing new on the server
    Appended,  // the new bytes were appended to the copy
    Replaced,  // a new copy replaced the old one (see keptCopy())
};

class LogContinuation {
public:
    static constexpr int64_t kOverlap = 64 * 1024;

    LogContinuation(std::string logPath, FetchNotifications notifications);

    // Brings the copy at logPath up to date from a logged-in session.
    FetchOutcome run(RemoteLog& remote);

    // After Replaced: where the old copy was kept, empty when it was not kept.
    const std::string& keptCopy() const { return keptCopy_; }
    std::string partPath() const { return logPath_ + ".part"; }

private:
    enum class Continued { Unchanged, Appended, NotTheSameLog };

    Continued continueCopy(RemoteLog& remote, const std::string& copyPath);
    void fetchWhole(RemoteLog& remote);
    void removePart() const;
    void replaceCopyWithPart();
    // Runs one transfer from `offset`; a dropped connection becomes the message that says
    // how far the copy at copyPath got.
    void transfer(RemoteLog& remote, int64_t offset, const std::string& copyPath,
                  const std::function<bool(std::string_view)>& receive);

    std::string logPath_;
    FetchNotifications notifications_;
    std::optional<int64_t> remoteSize_;
    std::string keptCopy_;
};

}  // namespace gravmark
