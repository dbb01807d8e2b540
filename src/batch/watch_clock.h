#pragma once
// The time a watch runs by. The real one sleeps; a test's moves time on at once, so that
// thousands of cycles run in a moment.
#include <atomic>
#include <cstdint>

namespace gravmark {

class WatchClock {
public:
    virtual ~WatchClock() = default;
    virtual int64_t nowMs() = 0;  // milliseconds on a clock that never goes back
    // Returns at `ms` at the latest, or at once when a stop is asked for.
    virtual void sleepUntil(int64_t ms) = 0;
    virtual bool stopAsked() const = 0;
};

// The steady clock; sleeps in short slices so that a stop is seen within 100 ms.
class SystemWatchClock : public WatchClock {
public:
    explicit SystemWatchClock(const std::atomic<bool>& stop) : stop_(stop) {}
    int64_t nowMs() override;
    void sleepUntil(int64_t ms) override;
    bool stopAsked() const override { return stop_.load(); }

private:
    const std::atomic<bool>& stop_;
};

}  // namespace gravmark
