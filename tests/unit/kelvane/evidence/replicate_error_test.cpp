// The error rate per call from replicate typings: the model's inverse and the Wilson interval
// against published values, the comparison of two typings, and the replicates file.
#include "kelvane/evidence/replicate_error.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "kelvane/analysis/error_rate.hpp"
#include "kelvane/data/formats/replicate_pairs.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

TEST(ReplicateError, TheRatePerCallAndItsIntervalFromTheShareOfDifferingCalls) {
    // 2 of 10 loci differ: d = 0.2, whose 95% Wilson interval is 0.0567 to 0.5098 (Newcombe
    // 1998, Table I); e = 1 - sqrt(1 - d) maps each bound.
    const ErrorRate rate = error_rate(2, 10);
    EXPECT_NEAR(rate.rate, 1.0 - std::sqrt(0.8), 1e-15);
    EXPECT_NEAR(rate.lower, 1.0 - std::sqrt(1.0 - 0.0567), 1e-4);
    EXPECT_NEAR(rate.upper, 1.0 - std::sqrt(1.0 - 0.5098), 1e-4);
    // No difference: the rate 0, the interval from 0; no locus compared: no rate.
    EXPECT_EQ(error_rate(0, 50).lower, 0.0);
    EXPECT_GT(error_rate(0, 50).upper, 0.0);
    EXPECT_TRUE(std::isnan(error_rate(0, 0).rate));
}

TEST(ReplicateError, TypingsComparedOverTheLociCalledInBothAndTheFileOfPairs) {
    // Locus 1 agrees in another order, locus 2 differs, locus 3 is not called in the second.
    const MarkerData data = testing::markers(
        2, {{{12, 14}, {10, 10}, {7, 8}}, {{14, 12}, {10, 11}, {}}, {{1}, {1}, {1}}});
    const ReplicateComparison twice = compare_replicates(data, 0, 1);
    EXPECT_EQ(twice.shared_loci, 2);
    EXPECT_EQ(twice.mismatches, 1);
    // The row over all pools the pairs: here the same pair twice, 2 of 4 loci differing.
    const clonal::ResultTable table = analysis::error_rate_table(data, {{0, 1}, {1, 0}});
    ASSERT_EQ(table.rows().size(), 3U);
    const auto& all = table.rows()[2];
    EXPECT_EQ(std::get<std::string>(all[0]), "all");
    EXPECT_EQ(std::get<int64_t>(all[2]), 4);
    EXPECT_EQ(std::get<int64_t>(all[3]), 2);
    EXPECT_NEAR(std::get<double>(all[4]), 1.0 - std::sqrt(0.5), 1e-15);

    const std::vector<std::string> names{"ind1", "ind2", "ind3"};
    EXPECT_EQ(read_replicate_pairs("sample\tcopy\nind1\tind2\n# more\n\nind3 ind1\n", names),
              (std::vector<std::pair<int, int>>{{0, 1}, {2, 0}}));
    for (const char* bad : {"ind1\tind9\n", "ind1\n", "ind2 ind2\n", "# none\n"}) {
        EXPECT_THROW(read_replicate_pairs(bad, names), clonal::InputError) << bad;
    }
}

}  // namespace
}  // namespace kelvane
