#include "table/row_store.h"

#include <algorithm>

namespace gravmark {

void RowStore::reset(int stride) {
    blocks_.clear();
    alive_.clear();
    stride_ = stride;
    size_ = 0;
    live_ = 0;
}

uint32_t RowStore::append(const uint32_t* cells) {
    uint32_t id = size_;
    if ((id >> kShift) == blocks_.size()) {
        blocks_.push_back(std::make_unique_for_overwrite<uint32_t[]>(size_t(kMask + 1) * stride_));
    }
    std::copy(cells, cells + stride_, row(id));
    alive_.push_back(1);
    ++size_;
    ++live_;
    return id;
}

void RowStore::kill(uint32_t id) {
    if (alive_[id]) --live_;
    alive_[id] = 0;
}

}  // namespace gravmark
