#pragma once
// A progress bar's model: a total (TotalParts) and a completed count (PartsComplete).
// A new total sets the completed count to 0; the completed count is capped at the total;
// the percentage is 100 * completed / total rounded half to even, and is not
// recomputed while the total is 0. The listener hears every change of the
// whole-number percentage, so a widget can repaint at once even inside a handler.
// A completed count that cannot change the percentage costs two comparisons, so the
// long steps tell their progress after every line.
#include <cstdint>
#include <functional>

namespace gravmark {

class Progress {
public:
    void setTotalParts(int64_t total);
    void setPartsComplete(int64_t completed);
    int64_t totalParts() const { return total_; }
    int64_t partsComplete() const { return completed_; }
    int percent() const { return percent_; }

    void setPercentListener(std::function<void(int)> listener) { listener_ = std::move(listener); }

private:
    void recompute();

    int64_t total_ = 0;
    int64_t completed_ = 0;
    int percent_ = 0;
    // 200 * completed strictly between these bounds gives percent_ again, with no tie.
    __int128 sameAbove_ = 0;
    __int128 sameBelow_ = 0;
    std::function<void(int)> listener_;
};

}  // namespace gravmark
