#include "ftp/network_wait.h"

#include "common/error.h"

namespace gravmark {

NetworkWait::NetworkWait(std::chrono::milliseconds limit) : limit_(limit), deadline_(limit) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &loop_, &QEventLoop::quit);
}

bool NetworkWait::until(const std::function<bool()>& ready) {
    while (!ready()) {
        const auto remaining = deadline_.remainingTimeAsDuration();
        if (remaining <= std::chrono::nanoseconds::zero()) return false;
        timer_.start(std::chrono::ceil<std::chrono::milliseconds>(remaining));
        // A loop that returns at once with -1 was refused because the application is quitting.
        if (loop_.exec() < 0) throw Error("The program is closing; the download was stopped.");
    }
    timer_.stop();
    return true;
}

void NetworkWait::restartLimit() { deadline_.setRemainingTime(limit_); }

}  // namespace gravmark
