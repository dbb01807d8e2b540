#include "common/byte_arena.h"

#include <cstring>

namespace gravmark {

namespace {
constexpr size_t kBlockSize = 1 << 20;
}

std::string_view ByteArena::store(std::string_view bytes) {
    if (bytes.empty()) return {};
    if (bytes.size() > freeSize_) {
        if (bytes.size() * 4 > kBlockSize) {
            blocks_.push_back(allocateBytes(bytes.size()));
            std::memcpy(blocks_.back().get(), bytes.data(), bytes.size());
            return {blocks_.back().get(), bytes.size()};
        }
        blocks_.push_back(allocateBytes(kBlockSize));
        free_ = blocks_.back().get();
        freeSize_ = kBlockSize;
    }
    std::memcpy(free_, bytes.data(), bytes.size());
    const std::string_view stored(free_, bytes.size());
    free_ += bytes.size();
    freeSize_ -= bytes.size();
    return stored;
}

void ByteArena::clear() {
    blocks_.clear();
    free_ = nullptr;
    freeSize_ = 0;
}

}  // namespace gravmark
