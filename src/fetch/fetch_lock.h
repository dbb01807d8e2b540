#pragma once
// One fetch of the log at a time per program folder, across the desktop program and the
// batch command: a lock file "games_mp.log.lock" beside the log, held while the copy may
// change (continuation, rotation, renames). A lock left by a process that died is taken
// over. A second fetch waits (the event loop runs meanwhile) and gives up after `wait`
// with "Another Gravmark Parser is fetching the log in this folder."
#include <QLockFile>
#include <chrono>
#include <string>

namespace gravmark {

class FetchLock {
public:
    FetchLock(const std::string& programFolder, std::chrono::milliseconds wait);

private:
    QLockFile file_;
};

}  // namespace gravmark
