// p-values corrected for the number of tests, against R's p.adjust on the same values.
#include "common/core/p_adjust.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace clonal {
namespace {

TEST(PAdjust, HolmAndBenjaminiHochbergAsRComputesThem) {
    // p.adjust(c(0.01, 0.04, 0.03, NA, 0.04, 0.2, 0.005), "holm") and "BH": six tests, ties
    // kept together, the missing value left out.
    const std::vector<double> p{0.01, 0.04, 0.03, NAN, 0.04, 0.2, 0.005};
    const std::vector<double> holm{0.05, 0.12, 0.12, NAN, 0.12, 0.2, 0.03};
    const std::vector<double> bh{0.03, 0.048, 0.048, NAN, 0.048, 0.2, 0.03};
    const auto by_holm = adjusted_p_values(p, PAdjustment::kHolm);
    const auto by_bh = adjusted_p_values(p, PAdjustment::kBenjaminiHochberg);
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (std::isnan(p[i])) {
            EXPECT_TRUE(std::isnan(by_holm[i]) && std::isnan(by_bh[i]));
            continue;
        }
        EXPECT_NEAR(by_holm[i], holm[i], 1e-15) << i;
        EXPECT_NEAR(by_bh[i], bh[i], 1e-15) << i;
    }
    EXPECT_EQ(adjusted_p_values(std::vector<double>{0.6, 0.7}, PAdjustment::kHolm),
              (std::vector<double>{1.0, 1.0}));
    EXPECT_FALSE(p_adjustment_named("BH").has_value());
}

}  // namespace
}  // namespace clonal
