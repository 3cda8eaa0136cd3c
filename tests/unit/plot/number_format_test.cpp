// Numbers in figures and reports: the same text for the same value, without the locale.
#include "plot/number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace clonal::plot {
namespace {

TEST(NumberFormat, PixelsHaveAtMostTwoDecimalsAndNoNegativeZero) {
    EXPECT_EQ(pixels(3.0), "3");
    EXPECT_EQ(pixels(12.5), "12.5");
    EXPECT_EQ(pixels(66.0125), "66.01");
    EXPECT_EQ(pixels(-0.001), "0");
    EXPECT_EQ(pixels(-7.25), "-7.25");
}

TEST(NumberFormat, TickLabelsShowTheirDecimals) {
    EXPECT_EQ(fixed_decimals(0.1 + 0.2, 1), "0.3");
    EXPECT_EQ(fixed_decimals(0.05 * 3, 2), "0.15");
    EXPECT_EQ(fixed_decimals(-0.0, 2), "0.00");
    EXPECT_EQ(fixed_decimals(-1e-17, 1), "0.0");
    EXPECT_EQ(fixed_decimals(250000.0, 0), "250000");
    EXPECT_EQ(fixed_decimals(2e9, 0), "2e9");
    EXPECT_EQ(fixed_decimals(2.5e-5, 6), "2.5e-5");
}

TEST(NumberFormat, TableValuesHaveSixSignificantDigits) {
    EXPECT_EQ(readable_real(0.30000000000000004), "0.3");
    EXPECT_EQ(readable_real(0.10622710622710616), "0.106227");
    EXPECT_EQ(readable_real(203.33333333333334), "203.333");
    EXPECT_EQ(readable_real(1234567.89), "1234568");
    EXPECT_EQ(readable_real(0.000123456789), "0.000123457");
    EXPECT_EQ(readable_real(1.5e-7), "1.5e-7");
    EXPECT_EQ(readable_real(-2.0), "-2");
    EXPECT_EQ(readable_real(std::nan("")), "NA");
    EXPECT_EQ(readable_real(-std::numeric_limits<double>::infinity()), "-Inf");
}

}  // namespace
}  // namespace clonal::plot
