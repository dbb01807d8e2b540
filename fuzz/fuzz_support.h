#pragma once
// What the fuzz targets share: a scratch folder of the process for the files they write,
// and the check of a property. A property that does not hold aborts the run, which
// libFuzzer reports as a crash and saves the input that caused it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "support/temp_folder.h"

namespace gravmark::fuzz {

// A folder of this process, made on first use and removed when the process ends.
const test::TempFolder& scratch();

// The fuzzer's bytes as a text.
inline std::string_view bytesOf(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Aborts with "property failed: <property>" (and `detail` when given) unless it holds.
void require(bool holds, std::string_view property, std::string_view detail = {});

// Takes the fuzzer's bytes apart into pieces: bytes, numbers and texts, read from the front.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : rest_(bytes) {}
    bool empty() const { return rest_.empty(); }
    uint8_t byte();                              // 0 when none are left
    std::string_view text(size_t maxSize);       // a length byte, then up to that many bytes
    std::string_view untilByte(char separator);  // up to the separator (dropped) or the end
    std::string_view rest() { return std::exchange(rest_, {}); }

private:
    std::string_view rest_;
};

}  // namespace gravmark::fuzz
