// The genotypes at every threshold: worked tables, and the table from the spanning tree held
// against grouping from scratch at every threshold on many random matrices.
#include "kelvane/grouping/all_thresholds.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/filling_stream.hpp"

namespace kelvane {
namespace {

std::vector<std::string> names(int n) {
    std::vector<std::string> result;
    for (int i = 1; i <= n; ++i) {
        result.push_back("ind" + std::to_string(i));
    }
    return result;
}

std::string table_text(const DistanceMatrix& matrix) {
    std::ostringstream out;
    genotypes_all_thresholds(matrix, names(matrix.size()), out);
    return out.str();
}

// Two individuals at the largest distance make a table of 2^31 thresholds, whose text takes
// more than twenty seconds to format; once the stream has failed, none of it could be written.
TEST(AllThresholds, NothingMoreIsFormattedOnceTheStreamHasFailed) {
    DistanceMatrix matrix(2);
    matrix.set_pair(0, 1, 2147483647);
    const GenotypeTable table = genotype_table(matrix);
    ASSERT_EQ(table.last_threshold, 2147483647);
    FillingBuffer disk(1000);
    std::ostream out(&disk);
    const auto start = std::chrono::steady_clock::now();
    write_genotype_table(table, names(2), out);
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(out.bad());
    EXPECT_LT(taken.count(), 2.0);
}

TEST(AllThresholds, OneIndividualHasTheSingleColumnZero) {
    const DistanceMatrix matrix(1);
    EXPECT_EQ(table_text(matrix), "name\t0\t\nind1\t1\t\n");
}

TEST(AllThresholds, AllDistancesZeroGiveOneColumnOfOneGenotype) {
    const DistanceMatrix matrix(3);
    EXPECT_EQ(table_text(matrix), "name\t0\t\nind1\t1\t\nind2\t1\t\nind3\t1\t\n");
}

TEST(AllThresholds, FourIndividualsInTwoPairs) {
    // d(0,1) = 2 and d(2,3) = 1; every other pair 5. Threshold 1 joins 2 and 3, threshold 2
    // joins 0 and 1, threshold 5 joins everything.
    DistanceMatrix matrix(4);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.set_pair(i, j, 5);
        }
    }
    matrix.set_pair(0, 1, 2);
    matrix.set_pair(2, 3, 1);
    EXPECT_EQ(table_text(matrix),
              "name\t0\t1\t2\t3\t4\t5\t\n"
              "ind1\t1\t1\t1\t1\t1\t1\t\n"
              "ind2\t2\t2\t1\t1\t1\t1\t\n"
              "ind3\t3\t3\t2\t2\t2\t1\t\n"
              "ind4\t4\t3\t2\t2\t2\t1\t\n");
}

TEST(AllThresholds, NumbersFollowTheFirstMemberAsGroupsMerge) {
    // 0-2 at 1, 1-3 at 3, 2-3 at 6, everything else 9.
    DistanceMatrix matrix(4);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.set_pair(i, j, 9);
        }
    }
    matrix.set_pair(0, 2, 1);
    matrix.set_pair(1, 3, 3);
    matrix.set_pair(2, 3, 6);
    const GenotypeTable table = genotype_table(matrix);
    EXPECT_EQ(table.last_threshold, 6);
    EXPECT_EQ(table.column_start, (std::vector<int64_t>{0, 1, 3, 6}));
    const std::vector<std::vector<int32_t>> expected{{1, 2, 3, 4}, {1, 2, 1, 3}, {1, 2, 1, 3},
                                                     {1, 2, 1, 2}, {1, 2, 1, 2}, {1, 2, 1, 2},
                                                     {1, 1, 1, 1}};
    for (int t = 0; t <= 6; ++t) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(table.genotype(i, t),
                      expected[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)])
                << "individual " << i << " threshold " << t;
        }
    }
}

TEST(AllThresholds, OnlyTheUpperTriangleLinks) {
    DistanceMatrix matrix(2);
    matrix.at(1, 0) = 0;
    matrix.at(0, 1) = 3;
    EXPECT_EQ(table_text(matrix), "name\t0\t1\t2\t3\t\nind1\t1\t1\t1\t1\t\nind2\t2\t2\t2\t1\t\n");
}

DistanceMatrix random_matrix(std::mt19937& generator, int n, int32_t low, int32_t high,
                             bool symmetric) {
    std::uniform_int_distribution<int32_t> distance(low, high);
    DistanceMatrix matrix(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            if (symmetric) {
                matrix.set_pair(i, j, distance(generator));
            } else {
                matrix.at(i, j) = distance(generator);
                matrix.at(j, i) = distance(generator);
            }
        }
    }
    return matrix;
}

void expect_same_tables(const DistanceMatrix& matrix, const std::string& what) {
    const GenotypeTable fast = genotype_table(matrix);
    const GenotypeTable plain = genotype_table_by_regrouping(matrix);
    ASSERT_EQ(fast.last_threshold, plain.last_threshold) << what;
    for (int64_t t = 0; t <= plain.last_threshold; ++t) {
        for (int i = 0; i < matrix.size(); ++i) {
            ASSERT_EQ(fast.genotype(i, t), plain.genotype(i, t))
                << what << " individual " << i << " threshold " << t;
        }
    }
    std::ostringstream fast_text;
    std::ostringstream plain_text;
    write_genotype_table(fast, names(matrix.size()), fast_text);
    write_genotype_table(plain, names(matrix.size()), plain_text);
    ASSERT_EQ(fast_text.str(), plain_text.str()) << what;
}

TEST(AllThresholds, SpanningTreeTableEqualsRegroupingOnRandomMatrices) {
    std::mt19937 generator(20240611);
    std::uniform_int_distribution<int> size(1, 40);
    // Ranges from many ties to few, some with negative distances (joined already at 0).
    const std::vector<std::pair<int32_t, int32_t>> ranges{{0, 1},  {0, 3},  {0, 12},
                                                          {0, 60}, {-5, 8}, {3, 40}};
    int cases = 0;
    for (int round = 0; round < 120; ++round) {
        for (const auto& [low, high] : ranges) {
            const int n = size(generator);
            const bool symmetric = round % 2 == 0;
            const DistanceMatrix matrix = random_matrix(generator, n, low, high, symmetric);
            expect_same_tables(matrix, "round " + std::to_string(round) + " n " +
                                           std::to_string(n) + " range " + std::to_string(low) +
                                           ".." + std::to_string(high));
            ++cases;
        }
    }
    EXPECT_EQ(cases, 720);
}

TEST(AllThresholds, SpanningTreeTableEqualsRegroupingOnClusteredMatrices) {
    // Individuals on a line with gaps: many distinct merge levels, as clonal data have.
    std::mt19937 generator(7);
    for (int round = 0; round < 40; ++round) {
        const int n = 2 + round;
        std::vector<int32_t> position(static_cast<std::size_t>(n));
        std::uniform_int_distribution<int32_t> gap(0, 6);
        int32_t x = 0;
        for (int32_t& p : position) {
            x += gap(generator);
            p = x;
        }
        std::shuffle(position.begin(), position.end(), generator);
        DistanceMatrix matrix(n);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < i; ++j) {
                matrix.set_pair(i, j,
                                std::abs(position[static_cast<std::size_t>(i)] -
                                         position[static_cast<std::size_t>(j)]));
            }
        }
        expect_same_tables(matrix, "clustered round " + std::to_string(round));
    }
}

}  // namespace
}  // namespace kelvane
