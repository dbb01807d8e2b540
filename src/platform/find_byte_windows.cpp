#include "platform/find_byte.h"

#include <emmintrin.h>

#include <cstdint>

namespace gravmark::platform {

namespace {

constexpr uintptr_t kBlock = 16;

// The bytes equal to `pattern`'s in the aligned block at `block`, one bit each.
unsigned hitsIn(const char* block, __m128i pattern) {
    const __m128i bytes = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, pattern)));
}

}  // namespace

// SSE2 is part of every x86-64 processor, so this needs no check of the processor. The
// search reads whole aligned 16-byte blocks, also the bytes of the first and last block
// outside the range (an aligned block never crosses a page, so they can be read), and
// ignores hits there: no byte-by-byte head or tail, which cost more than the blocks on the
// short ranges of a line's fields.
const char* findByte(const char* begin, const char* end, char wanted) {
    if (begin >= end) return nullptr;
    const __m128i pattern = _mm_set1_epi8(wanted);
    const uintptr_t skip = reinterpret_cast<uintptr_t>(begin) % kBlock;
    const char* block = begin - skip;
    unsigned hits = hitsIn(block, pattern) >> skip << skip;
    while (hits == 0) {
        block += kBlock;
        if (block >= end) return nullptr;
        hits = hitsIn(block, pattern);
    }
    const char* found = block + __builtin_ctz(hits);
    return found < end ? found : nullptr;
}

}  // namespace gravmark::platform
