#include "fuzz_support.h"

#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace gravmark::fuzz {

const test::TempFolder& scratch() {
    static const test::TempFolder folder;
    return folder;
}

void require(bool holds, std::string_view property, std::string_view detail) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %.*s\n", int(property.size()), property.data());
    if (!detail.empty()) std::fprintf(stderr, "  %.*s\n", int(detail.size()), detail.data());
    std::abort();
}

uint8_t ByteReader::byte() {
    if (rest_.empty()) return 0;
    const auto value = static_cast<uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return value;
}

std::string_view ByteReader::text(size_t maxSize) {
    const size_t size = std::min<size_t>({byte(), maxSize, rest_.size()});
    const std::string_view piece = rest_.substr(0, size);
    rest_.remove_prefix(size);
    return piece;
}

std::string_view ByteReader::untilByte(char separator) {
    const size_t at = rest_.find(separator);
    const std::string_view piece = rest_.substr(0, at);
    rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
    return piece;
}

}  // namespace gravmark::fuzz

// The fixed locale of the tests, so that numbers and collation do not depend on the machine.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return 0;
}
