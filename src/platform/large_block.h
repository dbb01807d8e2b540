#pragma once
// Memory for big blocks, released with std::free().
#include <cstddef>

namespace gravmark::platform {

// `size` bytes (a multiple of `alignment`), aligned to `alignment` where the system gives
// that with free()-able memory (Linux, which is also asked for huge pages), else plain
// malloc memory; nullptr when there is none.
void* allocateLargeBlock(size_t size, size_t alignment);

}  // namespace gravmark::platform
