#include "fetch/fetch_lock.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include "common/error.h"
#include "common/file_names.h"

namespace gravmark {
namespace {

constexpr std::chrono::milliseconds kRetryEvery{100};

// Lets the windows answer while the other fetch runs.
void pause(std::chrono::milliseconds length) {
    QEventLoop loop;
    QTimer::singleShot(length, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

FetchLock::FetchLock(const std::string& programFolder, std::chrono::milliseconds wait)
    : file_(qtFileName(programFolder + "games_mp.log.lock")) {
    // A fetch may take long: only a lock whose process is gone counts as stale, never an old one.
    file_.setStaleLockTime(std::chrono::milliseconds::zero());
    const QDeadlineTimer deadline(wait);
    while (!file_.tryLock()) {
        if (file_.error() != QLockFile::LockFailedError)
            throw Error("Cannot create the lock file \"" + programFolder + "games_mp.log.lock\".");
        if (deadline.hasExpired()) throw Error("Another Gravmark Parser is fetching the log in this folder.");
        pause(std::min(kRetryEvery,
                       std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration())));
    }
}

}  // namespace gravmark
