#include "platform/find_byte.h"

#include <cstring>

namespace gravmark::platform {

const char* findByte(const char* begin, const char* end, char wanted) {
    if (begin >= end) return nullptr;
    return static_cast<const char*>(std::memchr(begin, wanted, static_cast<size_t>(end - begin)));
}

}  // namespace gravmark::platform
