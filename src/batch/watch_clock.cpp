#include "batch/watch_clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace gravmark {

int64_t SystemWatchClock::nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemWatchClock::sleepUntil(int64_t ms) {
    constexpr int64_t kSlice = 100;
    for (int64_t now = nowMs(); now < ms && !stopAsked(); now = nowMs())
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(kSlice, ms - now)));
}

}  // namespace gravmark
