#pragma once
// The copies of the log kept when the server's log was rotated: beside the log, named
// after it and the local time the rotation was found, "games_mp.log.20260131-235959",
// with "-2", "-3" ... added when that name is taken. The program never overwrites or
// deletes them.
#include <QDateTime>
#include <string>
#include <vector>

namespace gravmark {

// A free name for the copy of logPath kept at `when`.
std::string newRotatedCopyPath(const std::string& logPath, const QDateTime& when);

// The kept copies of logPath, oldest first.
std::vector<std::string> rotatedCopies(const std::string& logPath);

// What LOAD reads as one log: with history the kept copies, oldest first, then the log;
// without, the log alone.
std::vector<std::string> logFilesToLoad(const std::string& logPath, bool history);

}  // namespace gravmark
