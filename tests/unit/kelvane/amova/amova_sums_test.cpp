// The sums of pair distances of the AMOVA: the fast sums held against the sums in their defined
// order, and the permuted Phi-st on any number of threads.
#include "kelvane/amova/amova_sums.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "kelvane/amova/amova_table.hpp"

namespace kelvane {
namespace {

DistanceMatrix random_matrix(std::mt19937& generator, int n, int32_t low, int32_t high) {
    std::uniform_int_distribution<int32_t> distance(low, high);
    DistanceMatrix matrix(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (i != j) {
                matrix.at(i, j) = distance(generator);
            }
        }
    }
    return matrix;
}

std::vector<int32_t> random_groups(std::mt19937& generator, int n, int32_t group_count) {
    std::uniform_int_distribution<int32_t> group(0, group_count - 1);
    std::vector<int32_t> groups(static_cast<std::size_t>(n));
    for (int32_t& g : groups) {
        g = group(generator);
    }
    return groups;
}

std::vector<int32_t> sizes_of(const std::vector<int32_t>& groups, int32_t group_count) {
    std::vector<int32_t> sizes(static_cast<std::size_t>(group_count), 0);
    for (const int32_t g : groups) {
        ++sizes[static_cast<std::size_t>(g)];
    }
    return sizes;
}

std::vector<int> everyone(int n) {
    std::vector<int> members(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        members[static_cast<std::size_t>(i)] = i;
    }
    return members;
}

// Distance of i and j: 10 * i + j below the diagonal, its negative above it, so that a row read
// from the wrong triangle or the wrong individual shows.
DistanceMatrix numbered_matrix(int n) {
    DistanceMatrix matrix(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.at(i, j) = 10 * i + j;
            matrix.at(j, i) = -(10 * i + j);
        }
    }
    return matrix;
}

TEST(AmovaSums, EveryMemberReadsItsDistancesToTheMembersBeforeIt) {
    const DistanceMatrix matrix = numbered_matrix(4);
    const SamplePairs all(matrix, everyone(4));
    ASSERT_EQ(all.size(), 4);
    EXPECT_TRUE(all.row(0).empty());
    EXPECT_EQ(std::vector<int32_t>(all.row(3).begin(), all.row(3).end()),
              (std::vector<int32_t>{30, 31, 32}));
    EXPECT_EQ(all.total(), 10.0 + 20 + 21 + 30 + 31 + 32);

    const std::vector<int> some{0, 2, 3};
    const SamplePairs part(matrix, some);
    ASSERT_EQ(part.size(), 3);
    EXPECT_EQ(std::vector<int32_t>(part.row(1).begin(), part.row(1).end()),
              (std::vector<int32_t>{20}));
    EXPECT_EQ(std::vector<int32_t>(part.row(2).begin(), part.row(2).end()),
              (std::vector<int32_t>{30, 32}));
    EXPECT_EQ(part.total(), 20.0 + 30 + 32);
}

TEST(AmovaSums, FastSumsAreBitIdenticalToTheDefinedOrder) {
    std::mt19937 generator(99);
    const std::vector<std::pair<int32_t, int32_t>> ranges{
        {0, 10}, {0, 100000}, {-50, 50}, {0, 2147483647}, {-2147483647 - 1, 2147483647}};
    for (int round = 0; round < 60; ++round) {
        for (const auto& [low, high] : ranges) {
            const int n = 2 + round;
            const DistanceMatrix matrix = random_matrix(generator, n, low, high);
            const SamplePairs pairs(matrix, everyone(n));
            ASSERT_TRUE(pairs.exact());
            const int32_t group_count = 1 + round % 5;
            const auto groups = random_groups(generator, n, group_count);
            const auto fast = within_sums(pairs, groups, group_count);
            const auto in_order = within_sums_in_order(pairs, groups, group_count);
            ASSERT_EQ(fast, in_order) << "round " << round << " range " << low << ".." << high;
        }
    }
}

// Phi-st of an assignment the plain way: every pair in the defined order.
double plain_phi_st(const DistanceMatrix& matrix, const std::vector<int32_t>& groups,
                    int32_t group_count) {
    double total = 0.0;
    std::vector<double> within(static_cast<std::size_t>(group_count), 0.0);
    for (int i = 0; i < matrix.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            total += matrix.at(i, j);
            if (groups[static_cast<std::size_t>(i)] == groups[static_cast<std::size_t>(j)]) {
                within[static_cast<std::size_t>(groups[static_cast<std::size_t>(i)])] +=
                    matrix.at(i, j);
            }
        }
    }
    return amova_table(total, within, sizes_of(groups, group_count)).phi_st;
}

void expect_permuted_phi_st_as_plain(const DistanceMatrix& matrix, int32_t group_count,
                                     int assignments_count, std::mt19937& generator) {
    const int n = matrix.size();
    const SamplePairs pairs(matrix, everyone(n));
    std::vector<int32_t> groups = random_groups(generator, n, group_count);
    std::vector<std::vector<int32_t>> assignments;
    for (int q = 0; q < assignments_count; ++q) {
        std::shuffle(groups.begin(), groups.end(), generator);
        assignments.push_back(groups);
    }
    const auto sizes = sizes_of(groups, group_count);
    const auto one_thread = permuted_phi_st(pairs, assignments, sizes, 1);
    const auto three_threads = permuted_phi_st(pairs, assignments, sizes, 3);
    ASSERT_EQ(one_thread.size(), assignments.size());
    for (std::size_t q = 0; q < assignments.size(); ++q) {
        const double plain = plain_phi_st(matrix, assignments[q], group_count);
        // Bitwise: both not a number, or equal.
        ASSERT_TRUE((plain != plain && one_thread[q] != one_thread[q]) || plain == one_thread[q])
            << "assignment " << q << ": " << plain << " against " << one_thread[q];
        ASSERT_EQ(std::memcmp(&one_thread[q], &three_threads[q], sizeof(double)), 0);
    }
}

TEST(AmovaSums, PermutedPhiStEqualsThePlainComputationOnAnyNumberOfThreads) {
    std::mt19937 generator(5);
    for (int round = 0; round < 12; ++round) {
        const DistanceMatrix matrix = random_matrix(generator, 5 + 7 * round, 0, 50 + round * 1000);
        expect_permuted_phi_st_as_plain(matrix, 2 + round % 4, 1 + 3 * round, generator);
    }
}

TEST(AmovaSums, SumsTooLargeForExactDoublesKeepTheDefinedOrder) {
    // 3000 individuals near the largest distance, all but two in one group: the sums of the
    // whole sample and of that group pass 2^53, where doubles no longer hold every integer.
    const int n = 3000;
    DistanceMatrix matrix(n);
    std::mt19937 generator(11);
    std::uniform_int_distribution<int32_t> distance(2147483000, 2147483647);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.set_pair(i, j, distance(generator));
        }
    }
    const SamplePairs pairs(matrix, everyone(n));
    ASSERT_FALSE(pairs.exact());
    std::vector<int32_t> groups(static_cast<std::size_t>(n), 0);
    groups[7] = 1;
    groups[2000] = 1;
    const auto in_order = within_sums_in_order(pairs, groups, 2);
    EXPECT_GT(in_order[0], 9007199254740992.0);
    EXPECT_EQ(within_sums(pairs, groups, 2), in_order);
    expect_permuted_phi_st_as_plain(matrix, 3, 2, generator);
}

}  // namespace
}  // namespace kelvane
