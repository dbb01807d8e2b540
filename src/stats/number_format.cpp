#include "stats/number_format.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gravmark {

namespace {

// A decimal number 0.d1d2d3... x 10^pointPos; no digits for 0.
struct Decimal {
    std::string digits;  // no leading or trailing zeros
    int pointPos = 0;
    bool negative = false;

    bool isZero() const { return digits.empty(); }
    int exponent() const { return pointPos - 1; }  // of the scientific form d1.d2d3...
    char digitAt(int i) const {
        return i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
    }
};

Decimal stripZeros(Decimal d) {
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.isZero()) return {};
    return d;
}

Decimal toDecimal(double value) {
    if (value == 0 || !std::isfinite(value)) return {};
    char buffer[40];
    // 15 significant digits: the binary noise of a double stays below them.
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string text(buffer);
    const size_t e = text.find('e');
    Decimal d;
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.pointPos = std::stoi(text.substr(e + 1)) + 1;
    d.negative = value < 0;
    return stripZeros(d);
}

// Keeps the first `keep` digits; a dropped digit of 5 or more rounds the last kept one up.
Decimal roundDigits(Decimal d, int keep) {
    if (keep < 0) return {};
    if (static_cast<int>(d.digits.size()) <= keep) return d;
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') d.digits[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<size_t>(i)];
        } else {  // 9.99 -> 10.0: the carry runs out of the kept digits
            d.digits.assign(1, '1');
            ++d.pointPos;
        }
    }
    return stripZeros(d);
}

std::string latin1(const QString& text) {
    std::string bytes;
    for (const QChar c : text) {
        // A separator outside the 8-bit range (a narrow no-break space) becomes a no-break space.
        bytes += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : c.isSpace() ? '\xA0' : '?';
    }
    return bytes;
}

std::string digitRange(const Decimal& d, int from, int to) {
    std::string out;
    for (int i = from; i < to; ++i) out += d.digitAt(i);
    return out;
}

std::string integerPart(const Decimal& d) { return d.pointPos > 0 ? digitRange(d, 0, d.pointPos) : "0"; }

std::string sign(const Decimal& d) { return d.negative ? "-" : ""; }

std::string scientific(const Decimal& d) {
    std::string out = sign(d) + d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += latin1(QLocale().decimalPoint()) + d.digits.substr(1);
    const int exponent = d.exponent();
    return out + (exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(exponent));
}

std::string grouped(const std::string& integer) {
    const std::string separator = latin1(QLocale().groupSeparator());
    std::string out;
    for (size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) out += separator;
        out += integer[i];
    }
    return out;
}

constexpr int kSignificantDigits = 4;
constexpr int kRatioDecimals = 4;

}  // namespace

std::string formatKillsPerGame(double value) {
    const Decimal d = roundDigits(toDecimal(value), kSignificantDigits);
    if (d.isZero()) return "0";
    if (d.exponent() >= 4 || d.exponent() < -4) return scientific(d);
    std::string out = sign(d) + integerPart(d);
    const int fractionEnd = static_cast<int>(d.digits.size());
    if (fractionEnd > d.pointPos)
        out += latin1(QLocale().decimalPoint()) + digitRange(d, d.pointPos, fractionEnd);
    return out;
}

std::string formatRatio(double value) {
    const Decimal exact = toDecimal(value);
    const Decimal d = roundDigits(exact, std::min(kSignificantDigits, exact.pointPos + kRatioDecimals));
    if (d.exponent() >= 4) return formatKillsPerGame(value);
    return sign(d) + grouped(integerPart(d)) + latin1(QLocale().decimalPoint()) +
           digitRange(d, d.pointPos, d.pointPos + kRatioDecimals);
}

}  // namespace gravmark
