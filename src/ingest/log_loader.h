#pragma once
// LOAD's work on the log file, apart from the window: the existence test and the two
// passes that fill the line store (Memo1) and drive the progress bar. A NUL byte inside
// a log line is kept: the line is stored whole, with its ";", so nothing of the log is
// lost (the count pass, which only sets the progress total, still ends at the first NUL).
//
// The line store takes at most kMaxLogBytes bytes and kMaxLogLines lines; a larger log
// stops LOAD with "Text exceeds memo capacity". The limits admit logs of 2 GB while a
// degenerate file (say, nothing but line breaks) cannot exhaust memory: at their worst
// the text and its line table take about 3.6 GB.
#include <cstdint>
#include <string>
#include <vector>

#include "common/progress.h"
#include "common/text_box_lines.h"

namespace gravmark {

inline constexpr uint64_t kMaxLogBytes = 0x7fffffff;
inline constexpr int64_t kMaxLogLines = 100'000'000;

// Throws "Text exceeds memo capacity".
[[noreturn]] void throwExceedsCapacity();

// True when `path` names a regular file; a folder of that name does not count.
bool logFileExists(const std::string& path);

// Empties `logLines`, counts the lines (TotalParts), reads every line into `logLines` with
// ";" appended (PartsComplete n + 1 after the n-th, full at the end) and adds the summary
// line "Aantal Lines : " + count. Returns the number of log lines stored (lineCount).
// Throws gravmark::Error when the file cannot be opened or read, or is too large; logLines
// is then left empty.
int32_t loadLog(const std::string& path, TextBoxLines& logLines, Progress& progress);

// The same for several files read as one log, one after the other (the rotated copies of
// the log before the log itself): their bytes are joined as they stand, and the limits
// and the summary line count them all.
int32_t loadLog(const std::vector<std::string>& paths, TextBoxLines& logLines, Progress& progress);

}  // namespace gravmark
