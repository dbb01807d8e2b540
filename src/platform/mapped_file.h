#pragma once
// A file's bytes mapped into memory for reading: the pages come straight from the system's
// file cache, so a big log is neither copied nor written into fresh memory. Where the system
// cannot map the file (an empty file, some network shares) the caller reads it instead.
#include <cstddef>

namespace gravmark::platform {

// The first `size` bytes of the file open as `fd`, read-only; nullptr when they cannot be
// mapped. The view stays valid after the descriptor is closed, until unmapFile.
const char* mapFile(int fd, size_t size);
void unmapFile(const char* bytes, size_t size);

}  // namespace gravmark::platform
