#include "platform/file_access.h"

namespace gravmark::platform {

bool writeAll(int fd, const char* from, size_t size) {
    while (size > 0) {
        const int64_t written = writeSome(fd, from, size);
        if (written <= 0) return false;
        from += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace gravmark::platform
