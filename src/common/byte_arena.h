#pragma once
// ByteArena: copies of byte strings that stay where they are until the arena is cleared,
// for stores of millions of short texts that hand out views of them. Texts go to blocks
// of 1 MB, so a million texts cost a handful of allocations; a text longer than a
// quarter block gets a block of its own and the current block's tail stays in use.
#include <cstddef>
#include <string_view>
#include <vector>

#include "common/huge_pages.h"

namespace gravmark {

class ByteArena {
public:
    // A copy of `bytes`, valid until clear(); an empty view for no bytes.
    std::string_view store(std::string_view bytes);
    // Keeps a block filled elsewhere (views into it stay valid) until clear().
    void adopt(LargeBytes block) { blocks_.push_back(std::move(block)); }
    void clear();

private:
    std::vector<LargeBytes> blocks_;
    char* free_ = nullptr;  // unused tail of the current block
    size_t freeSize_ = 0;
};

}  // namespace gravmark
