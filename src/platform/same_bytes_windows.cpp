#include "platform/same_bytes.h"

#include <cstdint>
#include <cstring>

namespace gravmark::platform {

bool sameBytes(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const char *left = a.data(), *right = b.data();
    size_t rest = a.size();
    // A memcpy of a fixed 8 bytes is a plain load, no call.
    for (; rest >= 8; rest -= 8, left += 8, right += 8) {
        uint64_t leftWord, rightWord;
        std::memcpy(&leftWord, left, 8);
        std::memcpy(&rightWord, right, 8);
        if (leftWord != rightWord) return false;
    }
    for (; rest > 0; --rest) {
        if (*left++ != *right++) return false;
    }
    return true;
}

}  // namespace gravmark::platform
