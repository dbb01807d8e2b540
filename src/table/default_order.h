#pragma once
// DefaultOrder: the order of a table's records when no index is active, as a doubly
// linked list over row ids, so that placing a record before another costs O(1).
#include <cstdint>
#include <vector>

namespace gravmark {

class DefaultOrder {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    void clear();
    // Places a new row before `before`, or at the end when before is kNone.
    void insertBefore(uint32_t row, uint32_t before);
    void remove(uint32_t row);
    uint32_t first() const { return head_; }
    uint32_t last() const { return tail_; }
    uint32_t next(uint32_t row) const { return next_[row]; }
    uint32_t prior(uint32_t row) const { return prior_[row]; }

private:
    std::vector<uint32_t> next_;
    std::vector<uint32_t> prior_;
    uint32_t head_ = kNone;
    uint32_t tail_ = kNone;
};

}  // namespace gravmark
