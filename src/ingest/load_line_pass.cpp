#include "ingest/load_line_pass.h"

#include <algorithm>
#include <cstring>

#include "platform/find_byte.h"

namespace gravmark {

namespace {

constexpr char kCtrlZ = 26;

// Copies [begin, end) to `out` without its CRs (memmove: the two may overlap, out <= begin).
char* copyWithoutCr(const char* begin, const char* end, char* out) {
    while (begin < end) {
        const char* cr = platform::findByte(begin, end, '\r');
        const char* stop = cr ? cr : end;
        const size_t size = static_cast<size_t>(stop - begin);
        if (out != begin) std::memmove(out, begin, size);
        out += size;
        begin = cr ? cr + 1 : end;
    }
    return out;
}

}  // namespace

bool LoadLinePass::advance(size_t available, bool atEnd) {
    const char* const limit = buffer_ + available;
    while (read_ < available) {
        const char* begin = buffer_ + read_;
        const char* lf = platform::findByte(buffer_ + std::max(read_, searched_), limit, '\n');
        if (lf == nullptr && !atEnd) {  // the line goes on in bytes still to come
            searched_ = available;
            return true;
        }
        const char* end = lf ? lf : limit;
        if (lf && end > begin && end[-1] == '\r') --end;
        if (begin < end && *begin == kCtrlZ) return false;
        if (const char* ctrlZ = platform::findByte(begin, end, kCtrlZ)) end = ctrlZ;

        char* const start = buffer_ + write_;
        char* out = copyWithoutCr(begin, end, start);
        *out++ = ';';
        lines_.emplace_back(start, static_cast<size_t>(out - start));
        write_ = static_cast<size_t>(out - buffer_);
        read_ = lf ? static_cast<size_t>(lf - buffer_) + 1 : available;
        progress_.setPartsComplete(static_cast<int64_t>(lines_.size()) + 1);
    }
    return true;
}

}  // namespace gravmark
