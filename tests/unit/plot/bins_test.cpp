// Equal-width bins: every value inside the span in exactly one bin, the last bin closed.
#include "plot/bins.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace clonal::plot {
namespace {

TEST(Bins, EveryValueInsideTheSpanIsCountedOnce) {
    const std::vector<double> values{0.0, 0.49, 0.5, 1.0, 1.0, std::nan(""), 2.0, -0.1};
    const Bins bins = equal_bins(values, 0.0, 1.0, 2);
    EXPECT_EQ(bins.counts, (std::vector<int64_t>{2, 3}));
    const Bars bars = bars_of(bins, "permutations");
    ASSERT_EQ(bars.bars.size(), 2u);
    EXPECT_EQ(bars.bars[1].from, 0.5);
    EXPECT_EQ(bars.bars[1].to, 1.0);
    EXPECT_EQ(bars.bars[1].height, 3.0);
}

}  // namespace
}  // namespace clonal::plot
