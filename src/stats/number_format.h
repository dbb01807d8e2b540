#pragma once
// The two number formats of the player table, with the decimal and group separators of the
// default locale (QLocale()). Rounding is decimal, halves away from zero, on the value's
// shortest faithful decimal form, so 12.125 gives 12.13 and 2.3335 gives 2.334.
#include <string>

namespace gravmark {

// Kills per game: 4 significant digits, no trailing zeros, no separator without a fraction
// (0, 2.333, 1.5, 10, 12.13). From 10000 (after rounding) up, and below 0.0001 except 0,
// in scientific form: 1.235E+4, 5E-5.
std::string formatKillsPerGame(double value);

// Ratio: 4 significant digits and at most 4 decimals, written with exactly 4 decimals and
// grouped thousands (999.0000, 0.6667, 1,235.0000). From 10000 (after rounding) up, as
// formatKillsPerGame.
std::string formatRatio(double value);

}  // namespace gravmark
