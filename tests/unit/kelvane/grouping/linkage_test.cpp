#include "kelvane/grouping/linkage.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"

namespace kelvane {
namespace {

DistanceMatrix matrix_of(const std::vector<std::vector<int32_t>>& rows) {
    DistanceMatrix matrix(static_cast<int>(rows.size()));
    for (int i = 0; i < matrix.size(); ++i) {
        for (int j = 0; j < matrix.size(); ++j) {
            matrix.at(i, j) = rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
        }
    }
    return matrix;
}

std::vector<ThresholdCount> counts(const DistanceMatrix& matrix, Linkage linkage) {
    return counts_under(matrix, linkage);
}

TEST(Linkage, WorkedHeightsOfTheThreeRules) {
    // 0 and 1 join at 2, 2 and 3 at 4; between the pairs the distances are 6, 10, 5 and 9:
    // nearest 5, farthest 10, mean 30 / 4 = 7.5, which joins at threshold 8.
    const DistanceMatrix matrix =
        matrix_of({{0, 2, 6, 10}, {2, 0, 5, 9}, {6, 5, 0, 4}, {10, 9, 4, 0}});
    using C = std::vector<ThresholdCount>;
    EXPECT_EQ(counts(matrix, Linkage::kSingle), (C{{0, 4}, {2, 3}, {4, 2}, {5, 1}}));
    EXPECT_EQ(counts(matrix, Linkage::kComplete), (C{{0, 4}, {2, 3}, {4, 2}, {10, 1}}));
    EXPECT_EQ(counts(matrix, Linkage::kAverage), (C{{0, 4}, {2, 3}, {4, 2}, {8, 1}}));
    EXPECT_EQ(genotypes_under(matrix, 7, Linkage::kAverage).numbers,
              (std::vector<int32_t>{1, 1, 2, 2}));
    EXPECT_EQ(genotypes_under(matrix, 8, Linkage::kAverage).count, 1);
    // Among the members 0, 2 and 3 the mean height of 0 against {2, 3} is (6 + 10) / 2; with
    // member 2 standing for three individuals it is (3 x 6 + 10) / 4.
    const std::vector<int> members{0, 2, 3};
    EXPECT_EQ(heights_under(matrix, members, {}, Linkage::kAverage), (std::vector<int32_t>{4, 8}));
    const std::vector<int64_t> counts{1, 3, 1};
    EXPECT_EQ(heights_under(matrix, members, counts, Linkage::kAverage),
              (std::vector<int32_t>{4, 7}));
}

TEST(Linkage, TiesGoToTheSmallestMembers) {
    // 0-1 and 1-2 are both at 1, 0-2 at 5: complete linkage can make one pair only, and the
    // pair of smaller members comes first: {0, 1} and {2}, not {0} and {1, 2}.
    const DistanceMatrix matrix = matrix_of({{0, 1, 5}, {1, 0, 1}, {5, 1, 0}});
    EXPECT_EQ(genotypes_under(matrix, 1, Linkage::kComplete).numbers,
              (std::vector<int32_t>{1, 1, 2}));
    EXPECT_EQ(genotypes_under(matrix, 1, Linkage::kSingle).count, 1);
}

TEST(Linkage, LazyQueueMergesAsTheSearchOfAllPairs) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 62; ++trial) {
        // The last two are large enough for the groups to be moved together as they merge and
        // for the longest columns to be shared by two cores.
        const int n = trial < 60 ? 2 + trial % 40 : 530;
        // Few distinct values: ties everywhere, as whole-number distances of clones have them.
        std::uniform_int_distribution<int32_t> value(0, trial % 3 == 0 ? 2 : 12);
        DistanceMatrix matrix(n);
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
                matrix.set_pair(i, j, value(random));
            }
        }
        for (const Linkage linkage : {Linkage::kComplete, Linkage::kAverage}) {
            const std::vector<Merge> fast = linkage_merges(matrix, linkage);
            const std::vector<Merge> plain = linkage_merges_plainly(matrix, linkage);
            ASSERT_EQ(fast.size(), plain.size());
            for (std::size_t m = 0; m < fast.size(); ++m) {
                EXPECT_EQ(fast[m].first, plain[m].first) << trial << " " << m;
                EXPECT_EQ(fast[m].second, plain[m].second) << trial << " " << m;
                EXPECT_EQ(fast[m].sum, plain[m].sum) << trial << " " << m;
                EXPECT_EQ(fast[m].pairs, plain[m].pairs) << trial << " " << m;
                // Heights never fall.
                if (m > 0) {
                    EXPECT_LE(fast[m - 1].threshold(), fast[m].threshold());
                }
            }
        }
    }
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// The lower triangle of a matrix, each distance through f.
template <class F>
std::vector<double> lower_of(const DistanceMatrix& matrix, F f) {
    std::vector<double> lower;
    for (int i = 1; i < matrix.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            lower.push_back(f(matrix.at(i, j)));
        }
    }
    return lower;
}

std::vector<std::string> names_of(int n) {
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) {
        names.push_back(std::to_string(i + 1));
    }
    return names;
}

TEST(Linkage, RealDistancesGroupAtRealThresholds) {
    // The worked matrix above in tenths: complete linkage joins at 1.0, average at 0.75 and
    // single at 0.5, thresholds between the distances taken as they are.
    const DistanceMatrix whole =
        matrix_of({{0, 2, 6, 10}, {2, 0, 5, 9}, {6, 5, 0, 4}, {10, 9, 4, 0}});
    const GroupingDistances real =
        ranked_distances(names_of(4), lower_of(whole, [](int32_t d) { return d / 10.0; }));
    using C = std::vector<ThresholdCount>;
    EXPECT_EQ(counts_under(real, Linkage::kSingle), (C{{0, 4}, {0.2, 3}, {0.4, 2}, {0.5, 1}}));
    EXPECT_EQ(counts_under(real, Linkage::kComplete), (C{{0, 4}, {0.2, 3}, {0.4, 2}, {1.0, 1}}));
    EXPECT_EQ(counts_under(real, Linkage::kAverage), (C{{0, 4}, {0.2, 3}, {0.4, 2}, {0.75, 1}}));
    EXPECT_EQ(genotypes_under(real, 0.74, Linkage::kAverage).count, 2);
    EXPECT_EQ(genotypes_under(real, 0.75, Linkage::kAverage).count, 1);
    EXPECT_EQ(genotypes_under(real, 0.99, Linkage::kComplete).count, 2);
    EXPECT_EQ(genotypes_under(real, 0.49, Linkage::kSingle).numbers,
              (std::vector<int32_t>{1, 1, 2, 2}));
    // Whole distances take a threshold between them as the whole number below it.
    EXPECT_EQ(genotypes_under(whole_distances(whole), 4.5, Linkage::kSingle).count, 2);
    // A pair without a distance (2, 0) joins at no threshold: single linkage links 0 and 2
    // through 1, complete and average linkage never join a group holding such a pair. A histogram
    // still refuses it.
    const std::vector<double> gap{0.1, std::nan(""), 0.2};
    const GroupingDistances missing = ranked_distances(names_of(3), gap);
    EXPECT_EQ(counts_under(missing, Linkage::kSingle), (C{{0, 3}, {0.1, 2}, {0.2, 1}}));
    for (const Linkage linkage : {Linkage::kComplete, Linkage::kAverage}) {
        EXPECT_EQ(counts_under(missing, linkage), (C{{0, 3}, {0.1, 2}}));
        EXPECT_EQ(genotypes_under(missing, 1e300, linkage).numbers,
                  (std::vector<int32_t>{1, 1, 2}));
        EXPECT_EQ(heights_under(missing, {}, {}, linkage), std::vector<double>{0.1});
    }
    EXPECT_THROW(check_real_distances(names_of(3), gap), clonal::FatalError);
}

TEST(Linkage, RealDistancesMergeAsTheirWholeAndPlainCounterparts) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = trial < 38 ? 2 + trial % 30 : 530;
        std::uniform_int_distribution<int32_t> value(0, trial % 2 == 0 ? 3 : 40);
        DistanceMatrix matrix(n);
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
                matrix.set_pair(i, j, value(random));
            }
        }
        // Quarters are exact: average linkage on them merges as on the whole numbers, the
        // same pairs in the same order at a quarter of the exact mean.
        const GroupingDistances quarters =
            ranked_distances(names_of(n), lower_of(matrix, [](int32_t d) { return d / 4.0; }));
        const std::vector<Merge> exact = linkage_merges(matrix, Linkage::kAverage);
        const std::vector<RealMerge> real = average_merges(quarters);
        ASSERT_EQ(real.size(), exact.size());
        for (std::size_t m = 0; m < real.size(); ++m) {
            ASSERT_EQ(real[m].first, exact[m].first) << trial << " " << m;
            ASSERT_EQ(real[m].second, exact[m].second) << trial << " " << m;
            EXPECT_EQ(real[m].height, static_cast<double>(exact[m].sum) /
                                          static_cast<double>(exact[m].pairs) / 4.0);
        }
        // Single and complete linkage depend on the order of the distances alone: under a
        // square root the groups at the root of a threshold are the same.
        const GroupingDistances roots = ranked_distances(
            names_of(n), lower_of(matrix, [](int32_t d) { return std::sqrt(d * 1.0); }));
        for (const Linkage linkage : {Linkage::kSingle, Linkage::kComplete}) {
            for (const int32_t t : {0, 1, 2, 7, 20}) {
                EXPECT_EQ(genotypes_under(roots, std::sqrt(t * 1.0), linkage).numbers,
                          genotypes_under(matrix, t, linkage).numbers)
                    << trial << " " << t;
            }
        }
        // Distinct real distances, in odd trials a tenth of the pairs without one: the lazy
        // queue merges as the search of all pairs.
        if (n <= 40) {
            std::uniform_real_distribution<double> spread(0.0, 1.0);
            const GroupingDistances spread_out =
                ranked_distances(names_of(n), lower_of(matrix, [&](int32_t) {
                                     const double d = spread(random);
                                     return trial % 2 == 1 && d < 0.1 ? std::nan("") : d;
                                 }));
            const std::vector<RealMerge> fast = average_merges(spread_out);
            const std::vector<RealMerge> plain = average_merges_plainly(spread_out);
            ASSERT_EQ(fast.size(), plain.size());
            for (std::size_t m = 0; m < fast.size(); ++m) {
                EXPECT_EQ(fast[m].first, plain[m].first) << trial << " " << m;
                EXPECT_EQ(fast[m].second, plain[m].second) << trial << " " << m;
                EXPECT_EQ(fast[m].height, plain[m].height) << trial << " " << m;
            }
        }
    }
}

}  // namespace
}  // namespace kelvane
