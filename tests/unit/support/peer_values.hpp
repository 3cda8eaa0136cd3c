// Comparing with the numbers peer packages (R's vegan, poppr, RClone) print: equal to a relative
// 1e-9, or within an absolute floor where a peer prints rounding noise for a value that is 0.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace testing_support {

inline constexpr double kPeerRelative = 1e-9;

inline void expect_peer_value(double expected, double actual, const std::string& what,
                              double absolute_floor = 0.0) {
    const double allowed = std::max(kPeerRelative * std::fabs(expected), absolute_floor);
    EXPECT_LE(std::fabs(actual - expected), allowed)
        << what << ": expected " << expected << ", got " << actual;
}

// NaN, which the tables write as NA.
inline void expect_undefined(double actual, const std::string& what) {
    EXPECT_TRUE(std::isnan(actual)) << what << " should be undefined, is " << actual;
}

// Exactly 0 and not -0, which the tables would write as "-0".
inline void expect_plain_zero(double actual, const std::string& what) {
    EXPECT_EQ(actual, 0.0) << what;
    EXPECT_FALSE(std::signbit(actual)) << what << " is -0";
}

}  // namespace testing_support
