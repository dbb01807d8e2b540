#include <gtest/gtest.h>

#include <QLocale>

#include "stats/number_format.h"

namespace gravmark {
namespace {

TEST(NumberFormat, KillsPerGameHasFourSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(formatKillsPerGame(0), "0");
    EXPECT_EQ(formatKillsPerGame(7.0 / 3.0), "2.333");
    EXPECT_EQ(formatKillsPerGame(1.5), "1.5");
    EXPECT_EQ(formatKillsPerGame(10), "10");
    EXPECT_EQ(formatKillsPerGame(97.0 / 8.0), "12.13");
    EXPECT_EQ(formatKillsPerGame(2.3335), "2.334");  // the half as written, not its binary neighbour
    EXPECT_EQ(formatKillsPerGame(9999.4), "9999");
    EXPECT_EQ(formatKillsPerGame(0.0001), "0.0001");
    EXPECT_EQ(formatKillsPerGame(0.00012345), "0.0001235");
    // Scientific from 10000 after rounding, and below 0.0001.
    EXPECT_EQ(formatKillsPerGame(9999.5), "1E+4");
    EXPECT_EQ(formatKillsPerGame(12345), "1.235E+4");
    EXPECT_EQ(formatKillsPerGame(0.00005), "5E-5");
}

TEST(NumberFormat, RatioHasFourDecimalsAndGroupedThousands) {
    EXPECT_EQ(formatRatio(999), "999.0000");
    EXPECT_EQ(formatRatio(2.0 / 3.0), "0.6667");
    EXPECT_EQ(formatRatio(1.5), "1.5000");
    EXPECT_EQ(formatRatio(12.3456), "12.3500");
    EXPECT_EQ(formatRatio(1234.5), "1,235.0000");
    EXPECT_EQ(formatRatio(9999.4), "9,999.0000");
    EXPECT_EQ(formatRatio(0.012345), "0.0123");  // four decimals at most, rounded once
    EXPECT_EQ(formatRatio(0.00005), "0.0001");
    EXPECT_EQ(formatRatio(0.00004), "0.0000");
    EXPECT_EQ(formatRatio(12345), "1.235E+4");
}

TEST(NumberFormat, SeparatorsFollowTheDefaultLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(formatKillsPerGame(97.0 / 8.0), "12,13");
    EXPECT_EQ(formatKillsPerGame(12345), "1,235E+4");
    EXPECT_EQ(formatRatio(1234.5), "1.235,0000");
    EXPECT_EQ(formatRatio(2.0 / 3.0), "0,6667");
    QLocale::setDefault(previous);
}

}  // namespace
}  // namespace gravmark
