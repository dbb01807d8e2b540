#include "table/default_order.h"

namespace gravmark {

void DefaultOrder::clear() {
    next_.clear();
    prior_.clear();
    head_ = tail_ = kNone;
}

void DefaultOrder::insertBefore(uint32_t row, uint32_t before) {
    if (row >= next_.size()) {
        next_.resize(row + 1, kNone);
        prior_.resize(row + 1, kNone);
    }
    uint32_t after = before == kNone ? tail_ : prior_[before];
    next_[row] = before;
    prior_[row] = after;
    (after == kNone ? head_ : next_[after]) = row;
    (before == kNone ? tail_ : prior_[before]) = row;
}

void DefaultOrder::remove(uint32_t row) {
    uint32_t after = prior_[row];
    uint32_t before = next_[row];
    (after == kNone ? head_ : next_[after]) = before;
    (before == kNone ? tail_ : prior_[before]) = after;
    next_[row] = prior_[row] = kNone;
}

}  // namespace gravmark
