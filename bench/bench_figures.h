#pragma once
// The two figures most benchmarks print: elapsed wall time and the peak resident memory.
#include <sys/resource.h>

#include <chrono>

namespace gravmark::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace gravmark::bench
