#include "common/progress.h"

#include <algorithm>

namespace gravmark {

void Progress::setTotalParts(int64_t total) {
    if (total == total_) return;  // only a new total starts the count again
    total_ = total;
    completed_ = 0;
    sameAbove_ = sameBelow_ = 0;
    recompute();
}

void Progress::setPartsComplete(int64_t completed) {
    completed_ = std::clamp<int64_t>(completed, 0, std::max<int64_t>(total_, 0));
    const __int128 twiceScaled = static_cast<__int128>(completed_) * 200;
    if (twiceScaled > sameAbove_ && twiceScaled < sameBelow_) return;
    recompute();
}

void Progress::recompute() {
    if (total_ <= 0) return;
    // 100 * completed / total, rounded to the nearest whole number, a half to the even one.
    const __int128 scaled = static_cast<__int128>(completed_) * 100;
    int64_t quotient = static_cast<int64_t>(scaled / total_);
    const __int128 twiceRemainder = (scaled % total_) * 2;
    if (twiceRemainder > total_ || (twiceRemainder == total_ && quotient % 2 != 0)) ++quotient;
    const int percent = static_cast<int>(quotient);
    sameAbove_ = static_cast<__int128>(2 * quotient - 1) * total_;
    sameBelow_ = static_cast<__int128>(2 * quotient + 1) * total_;
    if (percent == percent_) return;
    percent_ = percent;
    if (listener_) listener_(percent_);
}

}  // namespace gravmark
