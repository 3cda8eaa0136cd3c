// Scales: linear and logarithmic maps onto pixels, a y axis growing upward, and bands.
#include "plot/scale.hpp"

#include <gtest/gtest.h>

namespace clonal::plot {
namespace {

TEST(Scale, MapsTheDomainOntoItsPixels) {
    const Scale x(ScaleKind::kLinear, {-6.0, 60.0}, 66.0, 636.0);
    EXPECT_DOUBLE_EQ(x(-6.0), 66.0);
    EXPECT_DOUBLE_EQ(x(60.0), 636.0);
    EXPECT_DOUBLE_EQ(x(27.0), 351.0);
    const Scale y(ScaleKind::kLinear, {0.0, 35.0}, 329.0, 46.0);
    EXPECT_DOUBLE_EQ(y(0.0), 329.0);
    EXPECT_DOUBLE_EQ(y(35.0), 46.0);
    const Scale log(ScaleKind::kLog, {1.0, 100.0}, 0.0, 200.0);
    EXPECT_DOUBLE_EQ(log(10.0), 100.0);
    EXPECT_FALSE(log.contains(0.0));
    EXPECT_TRUE(log.contains(100.0));
    EXPECT_DOUBLE_EQ(BandScale(3, 10.0, 70.0).centre(1), 40.0);
}

TEST(Scale, ADomainWithoutSpanIsWidened) {
    EXPECT_EQ(widened({0.0, 0.0}, ScaleKind::kLinear).high, 1.0);
    const Domain around = widened({-2.0, -2.0}, ScaleKind::kLinear);
    EXPECT_DOUBLE_EQ(around.low, -2.2);
    EXPECT_DOUBLE_EQ(around.high, -1.8);
    EXPECT_DOUBLE_EQ(widened({5.0, 5.0}, ScaleKind::kLog).low, 0.5);
}

}  // namespace
}  // namespace clonal::plot
