#pragma once
// A file's bytes mapped into memory for reading: the pages come straight from the system's
// file cache, so a big log is neither copied nor written into fresh memory. Where the system
// cannot map the file (an empty file, some network shares) the caller reads it instead.
#include <cstddef>

namespace gravmark::platform {

// How the mapped pages come in: all of them at once, in one call instead of a fault per
// page, for a file read whole several times; or as they are read, for a file too big to
// hold whole, whose pages the reader gives back behind it (releaseMappedPages).
enum class MapPages { AllAtOnce, AsRead };

// The first `size` bytes of the file open as `fd`, read-only; nullptr when they cannot be
// mapped. The view stays valid after the descriptor is closed, until unmapFile.
const char* mapFile(int fd, size_t size, MapPages pages);
void unmapFile(const char* bytes, size_t size);

// Reads the pages of [begin, end) of a view in now, in one call rather than a fault per page.
void loadMappedPages(const char* begin, const char* end);
// Lets the system take back the pages lying wholly inside [begin, end) of a view, so that
// they no longer count as the program's memory. The bytes stay readable: touched again,
// they come from the file once more, unchanged.
void releaseMappedPages(const char* begin, const char* end);

}  // namespace gravmark::platform
