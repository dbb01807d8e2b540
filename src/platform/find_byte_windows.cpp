#include "platform/find_byte.h"

#include <emmintrin.h>

namespace gravmark::platform {

// SSE2 is part of every x86-64 processor, so this needs no check of the processor.
const char* findByte(const char* begin, const char* end, char wanted) {
    const __m128i pattern = _mm_set1_epi8(wanted);
    const char* at = begin;
    for (; end - at >= 16; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, pattern)));
        if (hits != 0) return at + __builtin_ctz(hits);
    }
    for (; at < end; ++at) {
        if (*at == wanted) return at;
    }
    return nullptr;
}

}  // namespace gravmark::platform
