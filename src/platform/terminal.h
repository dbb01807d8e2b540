#pragma once
// The console the batch reports on.

namespace gravmark::platform {

// Whether standard error is a terminal that understands the "\r\033[K" line rewrite of the
// progress display (on Windows, a console switched to its VT mode here).
bool standardErrorIsTerminal();

}  // namespace gravmark::platform
