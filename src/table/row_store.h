#pragma once
// RowStore: the records of a table as fixed rows of cells, in posting order.
//
// A row id is the record's place in posting order and never changes; a deleted record
// keeps its row, marked dead. Rows live in blocks that never move, so growing the
// store copies nothing.
#include <cstdint>
#include <memory>
#include <vector>

namespace gravmark {

class RowStore {
public:
    void reset(int stride);
    uint32_t append(const uint32_t* cells);
    uint32_t* row(uint32_t id) { return blocks_[id >> kShift].get() + size_t(id & kMask) * stride_; }
    const uint32_t* row(uint32_t id) const {
        return blocks_[id >> kShift].get() + size_t(id & kMask) * stride_;
    }
    uint32_t size() const { return size_; }
    uint32_t liveCount() const { return live_; }
    bool alive(uint32_t id) const { return alive_[id] != 0; }
    void kill(uint32_t id);
    // Gives back the memory of the block holding row `id`, whose rows are never read again
    // (a table copying its rows elsewhere frees them as it goes).
    void releaseBlockOf(uint32_t id) { blocks_[id >> kShift].reset(); }
    static size_t blockOf(uint32_t id) { return id >> kShift; }
    size_t blockCount() const { return blocks_.size(); }

private:
    static constexpr int kShift = 14;
    static constexpr uint32_t kMask = (1u << kShift) - 1;

    std::vector<std::unique_ptr<uint32_t[]>> blocks_;
    std::vector<uint8_t> alive_;
    int stride_ = 0;
    uint32_t size_ = 0;
    uint32_t live_ = 0;
};

}  // namespace gravmark
