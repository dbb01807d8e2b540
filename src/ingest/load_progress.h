#pragma once
// The progress of LOAD's line pass: PartsComplete is n + 1 after the n-th line. The bar
// repaints only when its whole percentage changes, so it is told at least once within
// every percent (every total/200 lines) and after the last line, which shows the
// same sequence of percentages as telling it after every line, at a fraction of the cost.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/progress.h"

namespace gravmark {

class LoadProgress {
public:
    LoadProgress(Progress& progress, int64_t total)
        : progress_(progress),
          step_(total > 0 ? std::max<int64_t>(1, total / 200) : std::numeric_limits<int64_t>::max()),
          next_(step_) {}

    void linesRead(int64_t lines) {
        if (lines + 1 >= next_) {
            progress_.setPartsComplete(lines + 1);
            next_ = lines + 1 + step_;
        }
    }
    void finished(int64_t lines) {
        if (lines > 0) progress_.setPartsComplete(lines + 1);
    }

private:
    Progress& progress_;
    int64_t step_;
    int64_t next_;
};

}  // namespace gravmark
