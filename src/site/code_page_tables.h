#pragma once
// The upper halves (bytes 0x80-0xFF) of the 8-bit code pages, as Unicode code points;
// U+FFFD where a code page defines no character. ISO-8859-1 needs no table: its bytes are
// their code points.
#include <array>
#include <cstdint>

namespace gravmark {

using UpperHalf = std::array<uint16_t, 128>;

extern const UpperHalf kWindows1250;
extern const UpperHalf kWindows1251;
extern const UpperHalf kWindows1252;
extern const UpperHalf kIso8859_2;

}  // namespace gravmark
