#include "kelvane/distance/partial_two_phase_distance.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::fresh_matrix;
using testing::Genotype;
using testing::markers;

DistanceModel partial_model(PartialGenotypes partial) {
    DistanceModel model;
    model.kind = DistanceKind::kTwoPhase;
    model.partial = partial;
    return model;
}

constexpr PartialGenotypes kTreatments[] = {PartialGenotypes::kInfinite,
                                            PartialGenotypes::kAddition, PartialGenotypes::kLoss,
                                            PartialGenotypes::kCombination};

double pair_mean(const MarkerData& data, PartialGenotypes partial) {
    return partial_two_phase_means(data, partial_model(partial)).at(0);
}

// The published examples of Bruvo et al. (2004) as the R peers test them (missing copies 0):
// infinite, addition, loss, combination.
TEST(PartialTwoPhase, PublishedValuesOfEveryTreatment) {
    struct Case {
        int ploidy;
        Genotype first, second;
        double expected[4];
    };
    const Case cases[] = {
        {4,
         {20, 23, 24},
         {20, 24, 26, 43},
         {0.46875, 0.458333164453506, 0.34374987334013, 0.401041518896818}},
        // Both genotypes lack copies: compared at the larger count observed, four.
        {5,
         {20, 23, 24},
         {20, 24, 26, 43},
         {0.46875, 0.458333164453506, 0.34374987334013, 0.401041518896818}},
        {5,
         {24},
         {20, 24, 26, 43},
         {0.75, 0.671874523162842, 0.293456600047648, 0.482665561605245}},
        // Fillings count copies, not values: 52 is held twice and drawn twice as often.
        {5, {51, 52}, {52, 52, 53, 55}, {0.625, 0.4375, 0.25, 0.34375}},
    };
    for (const Case& c : cases) {
        const MarkerData data = markers(c.ploidy, {{c.first}, {c.second}});
        for (int t = 0; t < 4; ++t) {
            EXPECT_NEAR(pair_mean(data, kTreatments[t]), c.expected[t], 1e-12) << t;
        }
    }
}

// The plain definition: every ordered filling of the missing copies from the candidates, each
// filled genotype matched against the fuller one by trying every order.
double plain_locus_value(Genotype a, Genotype b, PartialGenotypes partial) {
    if (a.size() > b.size()) {
        std::swap(a, b);
    }
    const std::size_t p = b.size();
    const auto best = [&](const Genotype& filled) {
        Genotype order = b;
        std::ranges::sort(order);
        double smallest = 1e300;
        do {
            double sum = 0.0;
            for (std::size_t c = 0; c < p; ++c) {
                sum += filled[c] == 0 ? 1.0 : 1.0 - std::pow(2.0, -std::abs(filled[c] - order[c]));
            }
            smallest = std::min(smallest, sum);
        } while (std::ranges::next_permutation(order).found);
        return smallest / static_cast<double>(p);
    };
    const auto mean_over = [&](const Genotype& candidates) {
        const std::size_t k = p - a.size();
        std::size_t choices = 1;
        for (std::size_t m = 0; m < k; ++m) {
            choices *= candidates.size();
        }
        double sum = 0.0;
        for (std::size_t code = 0; code < choices; ++code) {
            Genotype filled = a;
            for (std::size_t m = 0, rest = code; m < k; ++m, rest /= candidates.size()) {
                filled.push_back(candidates[rest % candidates.size()]);
            }
            sum += best(filled);
        }
        return sum / static_cast<double>(choices);
    };
    Genotype padded = a;
    padded.resize(p, 0);
    switch (partial) {
        case PartialGenotypes::kInfinite:
            return best(padded);
        case PartialGenotypes::kAddition:
            return a.size() == p ? best(a) : mean_over(a);
        case PartialGenotypes::kLoss:
            return a.size() == p ? best(a) : mean_over(b);
        default:
            return a.size() == p ? best(a) : (mean_over(a) + mean_over(b)) / 2.0;
    }
}

TEST(PartialTwoPhase, TreeOfFillingsEqualsEveryOrderedFilling) {
    std::mt19937 random(23);
    for (const int ploidy : {2, 3, 4, 6}) {
        for (int trial = 0; trial < 40; ++trial) {
            // Few values, so that copies repeat within and across genotypes.
            std::uniform_int_distribution<int> value(10, 15);
            std::uniform_int_distribution<int> count(1, ploidy);
            const auto genotype = [&] {
                Genotype g(static_cast<std::size_t>(count(random)));
                for (int32_t& copy : g) {
                    copy = value(random);
                }
                return g;
            };
            const Genotype a = genotype();
            const Genotype b = genotype();
            const MarkerData data = markers(ploidy, {{a}, {b}});
            for (const PartialGenotypes partial : kTreatments) {
                EXPECT_NEAR(pair_mean(data, partial), plain_locus_value(a, b, partial), 1e-12)
                    << ploidy << " " << trial;
            }
        }
    }
}

TEST(PartialTwoPhase, LociMissingInEitherAreLeftOutAndNoneLeftIsRefused) {
    // Locus 2 is missing in the first individual: the mean is locus 1's value alone, 0.5 (one
    // step between 10 and 11 in both copies of a diploid).
    const MarkerData data = markers(2, {{{10, 10}, {}}, {{11, 11}, {12, 14}}, {{}, {12, 14}}});
    const std::vector<double> means =
        partial_two_phase_means(data, partial_model(PartialGenotypes::kCombination));
    EXPECT_DOUBLE_EQ(means[0], 0.5);
    EXPECT_TRUE(std::isnan(means[1]));  // pair (2, 0): nothing typed in both
    EXPECT_DOUBLE_EQ(means[2], 0.0);
    DistanceMatrix matrix = fresh_matrix(data);
    try {
        partial_two_phase_distance(data, matrix, partial_model(PartialGenotypes::kLoss));
        ADD_FAILURE() << "a pair without a distance was accepted";
    } catch (const clonal::FatalError& error) {
        EXPECT_NE(std::string(error.what()).find("ind1 and ind3"), std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace kelvane
