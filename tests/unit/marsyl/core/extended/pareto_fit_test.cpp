// The Pareto fit against RClone's published index and R's lm() on the same points (R 4, our
// script: lm(log10(y) ~ log10(x)), beta its negated slope, r2 its summary's r.squared).
#include "marsyl/core/extended/pareto_fit.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/clone_size_fixtures.hpp"
#include "support/peer_values.hpp"

namespace marsyl {
namespace {

using testing_support::expect_peer_value;

void expect_fit(const std::vector<int64_t>& sizes, double beta, double r2, int64_t points,
                const std::string& name) {
    const ParetoFit fit = pareto_fit(spectrum_of_sizes(sizes));
    expect_peer_value(beta, fit.beta, name + " beta");
    expect_peer_value(beta + 1.0, fit.c, name + " c");
    expect_peer_value(r2, fit.r2, name + " r2");
    EXPECT_EQ(fit.points, points) << name;
}

TEST(ParetoFit, AgreesWithRClonesIndexAndTheLeastSquaresLine) {
    // RClone publishes beta 1.180756 and c 2.180756 for the seagrass sample; points (1, 1),
    // (2, 17/40), (3, 15/40), (4, 9/40), (5, 5/40).
    expect_fit(testing_support::seagrass_clone_sizes(), 1.18075594160854869, 0.94045565643021778, 5,
               "seagrass");
    expect_fit({2, 3, 1, 1, 1, 1}, 0.98363199741046303, 0.98803036441384451, 3, "site B");
    expect_fit({4, 3, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 1.11702215618393264, 0.96791179675122707, 4,
               "site C");
    expect_fit({5, 3, 2, 2, 1, 1}, 0.64688367153893422, 0.90998095772730159, 4, "Skwawka");
}

TEST(ParetoFit, TwoSizesFitExactly) {
    // Points (1, 1) and (9, 9/12): beta = -log10(3/4) / log10(9), r2 exactly 1.
    const ParetoFit fit = pareto_fit(spectrum_of_sizes({9, 1, 1, 1}));
    expect_peer_value(0.13092975357145742, fit.beta, "beta");
    EXPECT_EQ(fit.r2, 1.0);
    EXPECT_EQ(fit.points, 2);
}

TEST(ParetoFit, UndefinedForFewerThanTwoSizes) {
    for (const auto& [sizes, points] :
         {std::pair{std::vector<int64_t>{3, 3, 3}, 1}, std::pair{std::vector<int64_t>{1, 1}, 1},
          std::pair{std::vector<int64_t>{1}, 1}, std::pair{std::vector<int64_t>{}, 0}}) {
        const ParetoFit fit = pareto_fit(spectrum_of_sizes(sizes));
        EXPECT_TRUE(std::isnan(fit.beta) && std::isnan(fit.c) && std::isnan(fit.r2));
        EXPECT_EQ(fit.points, points);
    }
}

}  // namespace
}  // namespace marsyl
