// The bootstrap test of one pair: the worked pair from the start seeds, one permutation, empty
// populations and the values of every replicate.
#include "marsyl/core/bootstrap.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/text/printf.hpp"

namespace marsyl {
namespace {

using Genotypes = std::vector<int32_t>;

std::string formatted(const BootstrapPValues& p) {
    std::string text;
    for (int k = 0; k < kIndexCount; ++k) {
        text += clonal::format("%f\t%f\t", p.at_least[k], p.at_most[k]);
    }
    return text;
}

// Records the values of every replicate, six decimals each, the three groups on one line.
struct Recorder {
    std::string lines;
    BootstrapObserver observer() {
        return [this](const BootstrapValues& values) {
            for (const IndexSet* group : {&values.a, &values.b, &values.difference}) {
                for (const double value : *group) {
                    lines += clonal::format("%f\t", clonal::printable(value));
                }
                lines += group == &values.difference ? "\n" : "\t";
            }
        };
    }
};

// Worked out independently from the start seeds 12345 and 67890: four replicates, each drawing
// four positions of A (floor(4u)) and then three of B (floor(3u)).
TEST(BootstrapPair, WorkedPairFromTheStartSeeds) {
    clonal::Random random;
    Recorder file;
    const BootstrapPValues p =
        bootstrap_pair(Genotypes{1, 2, 2, 3}, Genotypes{4, 4, 5}, 5, random, file.observer());
    EXPECT_EQ(formatted(p),
              "0.400000\t1.000000\t0.200000\t1.000000\t0.600000\t0.600000\t"
              "0.200000\t1.000000\t0.400000\t0.800000\t0.400000\t0.800000\t");
    EXPECT_EQ(file.lines,
              "3.000000\t2.666667\t0.833333\t0.888889\t0.451545\t0.765766\t\t"
              "2.000000\t1.800000\t0.666667\t0.900000\t0.276435\t0.463065\t\t"
              "1.000000\t0.866667\t0.166667\t-0.011111\t0.175110\t0.302700\t\n"
              "2.000000\t1.600000\t0.500000\t0.800000\t0.244219\t0.387507\t\t"
              "1.000000\t1.000000\t0.000000\t1.000000\t-0.000000\t-0.000000\t\t"
              "0.000000\t-0.266667\t0.333333\t-0.188889\t0.069109\t0.084807\t\n"
              "3.000000\t2.666667\t0.833333\t0.888889\t0.451545\t0.765766\t\t"
              "1.000000\t1.000000\t0.000000\t1.000000\t-0.000000\t-0.000000\t\t"
              "1.000000\t0.800000\t0.666667\t-0.100000\t0.276435\t0.463065\t\n"
              "2.000000\t1.600000\t0.500000\t0.800000\t0.244219\t0.387507\t\t"
              "2.000000\t1.800000\t0.666667\t0.900000\t0.276435\t0.463065\t\t"
              "-1.000000\t-1.066667\t-0.333333\t-0.088889\t-0.207326\t-0.378259\t\n"
              "2.000000\t1.600000\t0.500000\t0.800000\t0.244219\t0.387507\t\t"
              "2.000000\t1.800000\t0.666667\t0.900000\t0.276435\t0.463065\t\t"
              "-1.000000\t-1.066667\t-0.333333\t-0.088889\t-0.207326\t-0.378259\t\n");
    // Seven uniform numbers per replicate, no more.
    clonal::Random replay;
    for (int i = 0; i < 4 * 7; ++i) {
        replay.next_uniform();
    }
    EXPECT_EQ(random.seed1(), replay.seed1());
    EXPECT_EQ(random.seed2(), replay.seed2());
}

TEST(BootstrapPair, OnePermutationIsTheObservedDataAlone) {
    clonal::Random random;
    Recorder file;
    const BootstrapPValues p =
        bootstrap_pair(Genotypes{1, 1}, Genotypes{2, 3}, 1, random, file.observer());
    for (int k = 0; k < kIndexCount; ++k) {
        EXPECT_EQ(p.at_least[k], 1.0);
        EXPECT_EQ(p.at_most[k], 1.0);
    }
    const std::string& lines = file.lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1);
    EXPECT_EQ(random.seed1(), clonal::Random::kStartSeed1);
}

TEST(BootstrapPair, SameListsCompareWithZeroAndTieOnTheNumberOfGenotypes) {
    clonal::Random random;
    const Genotypes same{3, 3, 3, 3};
    const BootstrapPValues p = bootstrap_pair(same, same, 10, random);
    // Every replicate redraws four copies of genotype 3: every difference ties with 0.
    for (int k = 0; k < kShc; ++k) {
        EXPECT_EQ(p.at_least[k], 1.0) << k;
        EXPECT_EQ(p.at_most[k], 1.0) << k;
    }
}

TEST(BootstrapPair, ValuesThatAreNotNumbersCountNowhere) {
    clonal::Random random;
    // All genotypes of B seen once: its corrected index, and so every difference of it, is not
    // a number, and only the observed data count in both p-values.
    const BootstrapPValues p = bootstrap_pair(Genotypes{1, 1, 2, 2}, Genotypes{5, 6, 7}, 8, random);
    EXPECT_EQ(p.at_least[kShc], 1.0 / 8.0);
    EXPECT_EQ(p.at_most[kShc], 1.0 / 8.0);
    EXPECT_GE(p.at_least[kGen] + p.at_most[kGen], 9.0 / 8.0);
}

TEST(BootstrapPair, EmptyPopulationDrawsOnlyFromTheOther) {
    clonal::Random random;
    const BootstrapPValues p = bootstrap_pair(Genotypes{1, 2, 2}, Genotypes{}, 4, random);
    // The empty sample's number of genotypes is 0, its effective number not a number.
    EXPECT_EQ(p.at_least[kEff], 0.25);
    EXPECT_EQ(p.at_most[kEff], 0.25);
    EXPECT_FALSE(std::isnan(p.at_least[kGen]));
    clonal::Random replay;
    for (int i = 0; i < 3 * 3; ++i) {
        replay.next_uniform();
    }
    EXPECT_EQ(random.seed1(), replay.seed1());
}

}  // namespace
}  // namespace marsyl
