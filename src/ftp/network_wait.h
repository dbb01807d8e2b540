#pragma once
// Waiting on the network without blocking the user-interface thread: a local event loop
// runs until the caller's condition holds, so the windows keep painting and answering
// input meanwhile. The loop wakes on the signals given to wakeOn() and when the time
// limit runs out; the limit counts from construction or from the last restartLimit().
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace gravmark {

class NetworkWait {
public:
    explicit NetworkWait(std::chrono::milliseconds limit);

    template <typename Sender, typename Signal>
    void wakeOn(const Sender* sender, Signal signal) {
        QObject::connect(sender, signal, &loop_, &QEventLoop::quit);
    }

    // Runs the loop until ready() holds (checked first and after every wake-up).
    // Returns false when the limit ran out first. Throws gravmark::Error when the
    // application is quitting, since no more events will come.
    bool until(const std::function<bool()>& ready);

    // For limits on silence: the time counts again from now.
    void restartLimit();

private:
    std::chrono::milliseconds limit_;
    QDeadlineTimer deadline_;
    QEventLoop loop_;
    QTimer timer_;
};

}  // namespace gravmark
