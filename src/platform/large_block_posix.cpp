#include <sys/mman.h>

#include <cstdlib>

#include "platform/large_block.h"

namespace gravmark::platform {

void* allocateLargeBlock(size_t size, size_t alignment) {
    void* block = std::aligned_alloc(alignment, size);
    if (block) ::madvise(block, size, MADV_HUGEPAGE);
    return block;
}

}  // namespace gravmark::platform
