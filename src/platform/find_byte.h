#pragma once
// The search for one byte that line cutting and field splitting spend their time in.

namespace gravmark::platform {

// The first `wanted` in [begin, end), or nullptr. The C library's memchr on Linux (glibc's
// is vectorised); on Windows a search 16 bytes at a time, since msvcrt's memchr, and Wine's,
// looks at one byte at a time: it was a quarter of the batch's time under Wine.
const char* findByte(const char* begin, const char* end, char wanted);

}  // namespace gravmark::platform
