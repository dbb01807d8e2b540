#include "ingest/parse_fields.h"

#include "platform/find_byte.h"

namespace gravmark {

ParseFields::ParseFields(std::string_view line, char delimiter, bool closedAtEnd) : line_(line) {
    const char* begin = line.data();
    const char* end = begin + line.size();
    const char* at = begin;
    while (closed_ < kMaxField && at < end) {
        const char* hit = platform::findByte(at, end, delimiter);
        if (hit == nullptr) break;
        ends_[++closed_] = static_cast<size_t>(hit - begin);
        at = hit + 1;
    }
    if (closedAtEnd && closed_ < kMaxField) ends_[++closed_] = line.size();
}

std::string_view ParseFields::field(int k) const {
    if (k < 1 || k > closed_) return {};
    const size_t start = k == 1 ? 0 : ends_[k - 1] + 1;
    return line_.substr(start, ends_[k] - start);
}

}  // namespace gravmark
