// The minimum spanning network: tie cases where one tree hides edges (poppr's four-cycle, and a
// square whose tied sides are heavier than the lightest edge at each corner), and the union of
// all minimum spanning trees held against a plain test on random graphs with many ties: an edge
// lies on some minimum spanning tree when the lightest tree forced to contain it weighs no more.
#include "kelvane/grouping/spanning/minimum_spanning_network.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "kelvane/grouping/union_find.hpp"

namespace kelvane {
namespace {

DistanceMatrix matrix_of(int n, const std::vector<NetworkEdge>& edges, int32_t others) {
    DistanceMatrix matrix(n);
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            matrix.set_pair(a, b, others);
        }
    }
    for (const NetworkEdge& edge : edges) {
        matrix.set_pair(edge.a, edge.b, static_cast<int32_t>(edge.distance));
    }
    return matrix;
}

std::vector<std::pair<int, int>> ends(const std::vector<NetworkEdge>& edges) {
    std::vector<std::pair<int, int>> result;
    for (const NetworkEdge& edge : edges) {
        result.emplace_back(edge.a, edge.b);
    }
    return result;
}

TEST(MinimumSpanningNetwork, TiesShowEveryEdgeOfSomeTree) {
    // poppr's four-cycle: sides 1, diagonals 2; every side lies on a tree.
    const auto cycle =
        minimum_spanning_network(matrix_of(4, {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {0, 3, 1}}, 2));
    EXPECT_EQ(ends(cycle), (std::vector<std::pair<int, int>>{{0, 1}, {0, 3}, {1, 2}, {2, 3}}));
    // A-B 1, C-D 1, A-D 2, B-C 2, diagonals 3: A-D and B-C both lie on trees.
    const auto square =
        minimum_spanning_network(matrix_of(4, {{0, 1, 1}, {2, 3, 1}, {0, 3, 2}, {1, 2, 2}}, 3));
    EXPECT_EQ(ends(square), (std::vector<std::pair<int, int>>{{0, 1}, {0, 3}, {1, 2}, {2, 3}}));
    EXPECT_EQ(square[1].distance, 2);
    EXPECT_TRUE(minimum_spanning_network(DistanceMatrix(1)).empty());
}

TEST(MinimumSpanningNetwork, GenotypeDistanceIsTheClosestPairOfMembers) {
    // Individuals 0 and 2 form genotype 1, 1 and 3 genotype 2; their closest members are 2 apart.
    DistanceMatrix matrix = matrix_of(4, {{0, 2, 0}, {1, 3, 0}, {2, 3, 2}}, 7);
    const Genotypes genotypes{{1, 2, 1, 2}, 2};
    const DistanceMatrix distances = genotype_distances(matrix, genotypes);
    EXPECT_EQ(distances.at(0, 1), 2);
    EXPECT_EQ(distances.at(1, 0), 2);
}

int64_t tree_weight(int n, std::vector<NetworkEdge> edges, const NetworkEdge* forced) {
    std::sort(edges.begin(), edges.end(),
              [](const NetworkEdge& x, const NetworkEdge& y) { return x.distance < y.distance; });
    UnionFind components(n);
    double weight = 0;
    if (forced != nullptr) {
        components.join(forced->a, forced->b);
        weight += forced->distance;
    }
    for (const NetworkEdge& edge : edges) {
        if (components.join(edge.a, edge.b)) {
            weight += edge.distance;
        }
    }
    return static_cast<int64_t>(weight);
}

TEST(MinimumSpanningNetwork, UnionOfTreesEqualsForcedTreeTest) {
    std::mt19937 engine(3);
    for (int round = 0; round < 60; ++round) {
        const int n = 2 + round % 9;
        std::vector<NetworkEdge> all;
        DistanceMatrix matrix(n);
        for (int a = 0; a < n; ++a) {
            for (int b = a + 1; b < n; ++b) {
                const int32_t d = std::uniform_int_distribution<int32_t>(1, 3)(engine);
                matrix.set_pair(a, b, d);
                all.push_back({a, b, static_cast<double>(d)});
            }
        }
        const int64_t best = tree_weight(n, all, nullptr);
        std::vector<std::pair<int, int>> expected;
        for (const NetworkEdge& edge : all) {
            if (tree_weight(n, all, &edge) == best) {
                expected.emplace_back(edge.a, edge.b);
            }
        }
        EXPECT_EQ(ends(minimum_spanning_network(matrix)), expected) << "round " << round;
    }
}

}  // namespace
}  // namespace kelvane
