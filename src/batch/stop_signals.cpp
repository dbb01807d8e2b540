#include "batch/stop_signals.h"

#include <csignal>

namespace gravmark {

namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void noteStop(int) { stopRequested.store(true); }

}  // namespace

const std::atomic<bool>& stopOnTerminationSignals() {
    static const bool installed = [] {
        std::signal(SIGTERM, noteStop);
        std::signal(SIGINT, noteStop);
        return true;
    }();
    (void)installed;
    return stopRequested;
}

}  // namespace gravmark
