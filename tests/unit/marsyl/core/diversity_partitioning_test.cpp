// The indices of all populations and the partitioning of diversity: the worked pair of
// populations, degenerate populations, and the pooled sums against the formulas summed over
// every genotype number from 0 to the largest.
#include "marsyl/core/diversity_partitioning.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "common/core/random.hpp"
#include "common/text/printf.hpp"

namespace marsyl {
namespace {

using Genotypes = std::vector<int32_t>;

clonal::ClonalData data_of(const std::vector<Genotypes>& populations) {
    clonal::ClonalData data;
    data.populations = static_cast<int32_t>(populations.size());
    data.names.emplace_back();
    data.genotypes.emplace_back();
    for (const auto& genotypes : populations) {
        data.names.push_back(clonal::format("p%zu", data.names.size()));
        data.genotypes.push_back(genotypes);
    }
    return data;
}

std::string two_decimals(const std::array<double, 3>& values) {
    return clonal::format("%.2f %.2f %.2f", values[0], values[1], values[2]);
}

// The partitioning as written: pooled frequencies, total and within values, fractions, with
// every table running over genotype numbers 0 to largest.
Partitioning plain_partitioning(const std::vector<Genotypes>& pops, int32_t largest) {
    const auto table = static_cast<std::size_t>(largest) + 1;
    const int p = static_cast<int>(pops.size());
    double lambda = 0.0;
    double sum_shw = 0.0;
    double sum_shc = 0.0;
    int n_total = 0;
    double r = 0.0;
    for (const auto& pop : pops) {
        const int n = static_cast<int>(pop.size());
        const IndexSet x = compute_indices(pop);
        const double diu = static_cast<double>(n - 1) / n * x[kDiv];
        lambda += 1.0 - diu;
        sum_shw += x[kShw];
        sum_shc += x[kShc];
        n_total += n;
        r += 1.0 / n;
    }
    std::vector<int> count_tot(table, 0);
    std::vector<double> freq(table, 0.0);
    for (std::size_t g = 0; g < table; ++g) {
        for (const auto& pop : pops) {
            int c = 0;
            for (const int32_t x : pop) {
                c += static_cast<std::size_t>(x) == g ? 1 : 0;
            }
            count_tot[g] += c;
            freq[g] += static_cast<double>(c) / static_cast<double>(pop.size());
        }
        freq[g] /= p;
    }
    double s_t = 0.0;
    double h_t = 0.0;
    int f1 = 0;
    for (std::size_t g = 0; g < table; ++g) {
        s_t += freq[g] * freq[g];
        if (freq[g] > 0) {
            h_t += freq[g] * std::log10(freq[g]);
        }
        f1 += count_tot[g] == 1 ? 1 : 0;
    }
    const double cov = 1.0 - static_cast<double>(f1) / n_total;
    const double nh = p / r;
    double hc_t = 0.0;
    for (std::size_t g = 0; g < table; ++g) {
        if (freq[g] > 0) {
            hc_t += cov * freq[g] * std::log10(cov * freq[g]) /
                    (1.0 - std::pow(1.0 - cov * freq[g], n_total));
        }
    }
    const double hs = nh / (nh - 1) * (1 - lambda / p);
    const double ht = (1 - s_t) + hs / (p * nh);
    Partitioning result{{ht, -h_t, -hc_t}, {hs, sum_shw / p, sum_shc / p}, {}, {}};
    const double k = static_cast<double>(p) / (p - 1);
    for (int m = 0; m < 3; ++m) {
        const double t = result.total[m];
        const double w = result.within[m];
        result.g_st[m] = (t - w) / t;
        result.g_st_corrected[m] = k * (t - w) / (w + k * (t - w));
    }
    return result;
}

// Numbers bit for bit; any two values that are not numbers count as equal, since the sign the
// hardware gives them may change with the way the compiler arranges an expression.
void expect_bits_equal(const std::array<double, 3>& expected, const std::array<double, 3>& actual,
                       const char* what) {
    for (int m = 0; m < 3; ++m) {
        if (std::isnan(expected[m]) && std::isnan(actual[m])) {
            continue;
        }
        EXPECT_EQ(std::bit_cast<uint64_t>(expected[m]), std::bit_cast<uint64_t>(actual[m]))
            << what << " " << m << ": " << expected[m] << " against " << actual[m];
    }
}

TEST(DiversityPartitioning, WorkedPairOfPopulations) {
    const DiversityResults results = diversity_results(data_of({{1, 1, 2, 3}, {2, 2, 4, 4}}), 4);
    ASSERT_EQ(results.populations.size(), 2u);
    EXPECT_EQ(clonal::format("%f", results.populations[0].diu), "0.625000");
    EXPECT_EQ(clonal::format("%f", results.populations[1].diu), "0.500000");
    const Partitioning& part = results.partitioning;
    EXPECT_EQ(two_decimals(part.total), "0.81 0.57 0.67");
    EXPECT_EQ(two_decimals(part.within), "0.75 0.38 0.54");
    EXPECT_EQ(two_decimals(part.g_st), "0.08 0.34 0.19");
    EXPECT_EQ(two_decimals(part.g_st_corrected), "0.14 0.51 0.33");
    // Pooled frequencies 0.25, 0.375, 0.125, 0.25: the total genotypic diversity is
    // (1 - 0.28125) + 0.75 / (2 * 4) exactly.
    EXPECT_EQ(part.total[0], 0.8125);
    EXPECT_EQ(part.within[0], 0.75);
}

TEST(DiversityPartitioning, OneIndividualMakesTheDiversitiesUndefined) {
    const DiversityResults results = diversity_results(data_of({{1, 1, 2}, {3}}), 3);
    EXPECT_TRUE(std::isnan(results.populations[1].diu));
    const Partitioning& part = results.partitioning;
    EXPECT_TRUE(std::isnan(part.total[0]));
    EXPECT_TRUE(std::isnan(part.within[0]));
    EXPECT_TRUE(std::isnan(part.g_st[0]));
    EXPECT_TRUE(std::isnan(part.g_st_corrected[0]));
    EXPECT_FALSE(std::isnan(part.total[1]));
    EXPECT_FALSE(std::isnan(part.total[2]));
    EXPECT_TRUE(std::isnan(part.within[2]));
    EXPECT_TRUE(std::isnan(part.g_st[2]));
}

TEST(DiversityPartitioning, SameFrequenciesAtDifferentSizes) {
    const Partitioning part = diversity_results(data_of({{1, 2}, {1, 1, 2, 2}}), 2).partitioning;
    EXPECT_EQ(part.g_st[1], 0.0);
    EXPECT_LT(part.g_st[0], 0.0);
}

TEST(DiversityPartitioning, OnePopulationHasNoPartitioning) {
    const DiversityResults results = diversity_results(data_of({{1, 1, 2, 3}}), 3);
    ASSERT_EQ(results.populations.size(), 1u);
    EXPECT_EQ(results.populations[0].indices[kGen], 3.0);
}

TEST(DiversityPartitioning, PooledSumsEqualTheFormulasBitForBit) {
    clonal::Random random;
    for (int trial = 0; trial < 400; ++trial) {
        const int populations = 2 + clonal::draw_index(random.next_uniform(), 4);
        const int32_t largest = trial % 2 == 0 ? 12 : 300;
        std::vector<Genotypes> pops(static_cast<std::size_t>(populations));
        for (auto& pop : pops) {
            // Some populations stay empty or hold one individual.
            pop.resize(static_cast<std::size_t>(clonal::draw_index(random.next_uniform(), 25)));
            for (auto& g : pop) {
                const double u = random.next_uniform();
                g = clonal::draw_index(u * u, largest + 1);
            }
        }
        const Partitioning expected = plain_partitioning(pops, largest);
        const Partitioning actual = diversity_results(data_of(pops), largest).partitioning;
        expect_bits_equal(expected.total, actual.total, "total");
        expect_bits_equal(expected.within, actual.within, "within");
        expect_bits_equal(expected.g_st, actual.g_st, "G_st");
        expect_bits_equal(expected.g_st_corrected, actual.g_st_corrected, "G'_st");
        if (HasFailure()) {
            return;
        }
    }
}

// The tables' rules: a population without individuals changes nothing (it is left out), and a
// population of one individual has diu = 1 - 1^2 = 0, so that the partitioning of div exists.
TEST(DiversityPartitioning, DefinedRulesLeaveOutEmptyPopulationsAndGiveOneIndividualDiuZero) {
    const PartitionRules rules = PartitionRules::defined();
    const Partitioning with_empty =
        diversity_results(data_of({{1, 2, 2}, {}, {1, 3, 4}}), 4, rules).partitioning;
    const Partitioning without =
        diversity_results(data_of({{1, 2, 2}, {1, 3, 4}}), 4, rules).partitioning;
    for (std::size_t m = 0; m < 3; ++m) {
        EXPECT_EQ(std::bit_cast<uint64_t>(with_empty.total[m]),
                  std::bit_cast<uint64_t>(without.total[m]));
        EXPECT_EQ(std::bit_cast<uint64_t>(with_empty.within[m]),
                  std::bit_cast<uint64_t>(without.within[m]));
        EXPECT_EQ(std::bit_cast<uint64_t>(with_empty.g_st[m]),
                  std::bit_cast<uint64_t>(without.g_st[m]));
    }
    // {1, 2, 2} and {3}: diu 4/9 and 0, lambda = 5/9 + 1, harmonic size 2 / (1/3 + 1) = 3/2,
    // hs = (3/2) / (1/2) x (1 - 7/9) = 2/3.
    const DiversityResults one = diversity_results(data_of({{1, 2, 2}, {3}}), 3, rules);
    EXPECT_EQ(one.populations[1].diu, 0.0);
    EXPECT_NEAR(one.partitioning.within[0], 2.0 / 3.0, 1e-15);
    EXPECT_TRUE(std::isnan(diversity_results(data_of({{1, 2, 2}, {3}}), 3).partitioning.within[0]));
    // Fewer than two populations with individuals: no partitioning.
    EXPECT_TRUE(
        std::isnan(diversity_results(data_of({{1, 2}, {}}), 2, rules).partitioning.g_st[0]));
}

}  // namespace
}  // namespace marsyl
