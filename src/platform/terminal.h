#pragma once
// The console the batch reports on.

namespace gravmark::platform {

// Whether standard error is a terminal that understands the "\r\033[K" line rewrite of the
// progress display (on Windows, a console switched to its VT mode here).
bool standardErrorIsTerminal();

// Standard output and error carry the program's bytes as written, so that a script or a
// scheduler's log reads the same bytes on every system: Windows' C library would otherwise
// write each "\n" as "\r\n" (a Windows console shows a bare "\n" as a new line too).
void writeStandardStreamsAsBytes();

}  // namespace gravmark::platform
