#include <cstdlib>

#include "platform/large_block.h"

namespace gravmark::platform {

// Windows' C library has no aligned memory that free() releases, nor transparent huge pages.
void* allocateLargeBlock(size_t size, size_t) { return std::malloc(size); }

}  // namespace gravmark::platform
