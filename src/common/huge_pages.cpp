#include "common/huge_pages.h"

#include <new>

#include "platform/large_block.h"

namespace gravmark {

namespace {
constexpr size_t kHugePage = 2 << 20;
}

void* allocateLarge(size_t size) {
    void* block = nullptr;
    if (size < kHugePage) {
        block = std::malloc(size == 0 ? 1 : size);
    } else {
        const size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        block = platform::allocateLargeBlock(rounded, kHugePage);
    }
    if (!block) throw std::bad_alloc();
    return block;
}

}  // namespace gravmark
