#pragma once
// SIGTERM and SIGINT ask a watch to stop: the handlers only note it, so that a page being
// written is finished and the watch stops between two steps.
#include <atomic>

namespace gravmark {

// Installs the handlers (once) and returns the flag they set.
const std::atomic<bool>& stopOnTerminationSignals();

}  // namespace gravmark
