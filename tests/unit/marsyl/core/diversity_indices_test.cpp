// The index set of one sample: the worked samples, the degenerate ones, and the fast calculator
// against the formulas summed over every genotype number from 0 to the largest.
#include "marsyl/core/diversity_indices.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <vector>

#include "common/core/random.hpp"

namespace marsyl {
namespace {

using Genotypes = std::vector<int32_t>;

// The formulas as written: tables over genotype numbers 0 to largest, summed in that order.
IndexSet plain_indices(const Genotypes& sample, int32_t largest) {
    const int n = static_cast<int>(sample.size());
    std::vector<int> count(static_cast<std::size_t>(largest) + 1, 0);
    for (const int32_t g : sample) {
        ++count[static_cast<std::size_t>(g)];
    }
    int genotypes = 0;
    int once = 0;
    for (const int c : count) {
        genotypes += c > 0 ? 1 : 0;
        once += c == 1 ? 1 : 0;
    }
    const double cov = 1.0 - static_cast<double>(once) / n;
    double s = 0.0;
    double h = 0.0;
    double hc = 0.0;
    for (const int c : count) {
        const double p = static_cast<double>(c) / n;
        s += p * p;
        if (p > 0) {
            h += p * std::log10(p);
            hc += cov * p * std::log10(cov * p) / (1.0 - std::pow(1.0 - cov * p, n));
        }
    }
    const double eff = 1.0 / s;
    return {static_cast<double>(genotypes),
            eff,
            static_cast<double>(n) / (n - 1) * (1.0 - s),
            eff / genotypes,
            -h,
            -hc};
}

// Numbers bit for bit; any two values that are not numbers count as equal, since the sign the
// hardware gives them may change with the way the compiler arranges an expression.
void expect_bits_equal(const IndexSet& expected, const IndexSet& actual, const char* what) {
    for (int k = 0; k < kIndexCount; ++k) {
        if (std::isnan(expected[k]) && std::isnan(actual[k])) {
            continue;
        }
        EXPECT_EQ(std::bit_cast<uint64_t>(expected[k]), std::bit_cast<uint64_t>(actual[k]))
            << what << ", index " << k << ": " << expected[k] << " against " << actual[k];
    }
}

TEST(DiversityIndices, WorkedSampleWithTwoGenotypesSeenOnce) {
    const IndexSet x = compute_indices(Genotypes{1, 1, 2, 3});
    EXPECT_EQ(x[kGen], 3.0);
    EXPECT_NEAR(x[kEff], 8.0 / 3.0, 1e-15);
    EXPECT_NEAR(x[kDiv], 5.0 / 6.0, 1e-15);
    EXPECT_NEAR(x[kEve], 8.0 / 9.0, 1e-15);
    EXPECT_NEAR(x[kShw], 0.451544993495972, 1e-12);
    EXPECT_NEAR(x[kShc], 0.765766, 5e-7);
    const double diu = 3.0 / 4.0 * x[kDiv];
    EXPECT_NEAR(diu, 0.625, 1e-15);
}

TEST(DiversityIndices, WorkedSampleWithFullCoverage) {
    const IndexSet x = compute_indices(Genotypes{2, 2, 4, 4});
    EXPECT_EQ(x[kGen], 2.0);
    EXPECT_EQ(x[kEff], 2.0);
    EXPECT_NEAR(x[kDiv], 2.0 / 3.0, 1e-15);
    EXPECT_EQ(x[kEve], 1.0);
    EXPECT_NEAR(x[kShw], std::log10(2.0), 1e-15);
    // Each of the two genotypes: 0.5 log10 0.5 / (1 - 0.5^4).
    EXPECT_NEAR(x[kShc], std::log10(2.0) / (1.0 - 0.0625), 1e-15);
    EXPECT_NEAR(x[kShc], 0.321099, 5e-7);
}

TEST(DiversityIndices, IdenticalGenotypes) {
    const IndexSet x = compute_indices(Genotypes{9, 9, 9, 9, 9});
    EXPECT_EQ(x[kGen], 1.0);
    EXPECT_EQ(x[kEff], 1.0);
    EXPECT_EQ(x[kDiv], 0.0);
    EXPECT_EQ(x[kEve], 1.0);
    // log10(1) is 0 and the sums are negated: negative zeros, printed as -0.000000.
    EXPECT_EQ(x[kShw], 0.0);
    EXPECT_TRUE(std::signbit(x[kShw]));
    EXPECT_EQ(x[kShc], 0.0);
}

TEST(DiversityIndices, AllGenotypesDifferent) {
    const IndexSet x = compute_indices(Genotypes{5, 1, 40, 7, 3, 2});
    EXPECT_EQ(x[kGen], 6.0);
    EXPECT_NEAR(x[kEff], 6.0, 1e-14);
    EXPECT_NEAR(x[kDiv], 1.0, 1e-15);
    EXPECT_NEAR(x[kEve], 1.0, 1e-15);
    EXPECT_NEAR(x[kShw], std::log10(6.0), 1e-15);
    // Every genotype seen once: the coverage is 0 and the corrected index is undefined.
    EXPECT_TRUE(std::isnan(x[kShc]));
}

TEST(DiversityIndices, OneIndividual) {
    const IndexSet x = compute_indices(Genotypes{3});
    EXPECT_EQ(x[kGen], 1.0);
    EXPECT_EQ(x[kEff], 1.0);
    EXPECT_TRUE(std::isnan(x[kDiv]));
    EXPECT_EQ(x[kEve], 1.0);
    EXPECT_EQ(x[kShw], 0.0);
    EXPECT_TRUE(std::isnan(x[kShc]));
}

TEST(DiversityIndices, EmptySample) {
    const IndexSet x = compute_indices(Genotypes{});
    EXPECT_EQ(x[kGen], 0.0);
    EXPECT_TRUE(std::isnan(x[kEff]));
    EXPECT_TRUE(std::isnan(x[kDiv]));
    EXPECT_TRUE(std::isnan(x[kEve]));
    EXPECT_EQ(x[kShw], 0.0);
    EXPECT_TRUE(std::signbit(x[kShw]));
    EXPECT_TRUE(std::signbit(x[kShc]));
}

TEST(DiversityIndices, HugeCodesGiveTheValuesOfSmallOnes) {
    const IndexSet small = compute_indices(Genotypes{1, 1, 2, 3, 3, 3, 0});
    const IndexSet huge = compute_indices(
        Genotypes{1000001, 1000001, 2000000000, 2147483647, 2147483647, 2147483647, 0});
    expect_bits_equal(small, huge, "renumbered codes");
}

// Random samples of every size up to 60, codes from ranges small and large, and one calculator
// reused throughout as the analyses reuse theirs.
TEST(DiversityIndices, CalculatorEqualsTheFormulasBitForBit) {
    clonal::Random random;
    IndexCalculator calculator;
    for (int trial = 0; trial < 3000; ++trial) {
        const int n = clonal::draw_index(random.next_uniform(), 61);
        const int32_t largest = trial % 3 == 0 ? 5 : (trial % 3 == 1 ? 60 : 5000);
        Genotypes sample(static_cast<std::size_t>(n));
        for (auto& g : sample) {
            // Squaring favours low codes, so that counts above 1 are common.
            const double u = random.next_uniform();
            g = clonal::draw_index(u * u, largest + 1);
        }
        expect_bits_equal(plain_indices(sample, largest), calculator.compute(sample), "sample");
        if (HasFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace marsyl
