// Merge heights from a spanning tree of the chosen individuals and the gap among them.
#include "kelvane/grouping/largest_gap.hpp"

#include <algorithm>
#include <cmath>

#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/spanning/minimum_spanning_tree.hpp"

namespace kelvane {

std::vector<int32_t> merge_heights(const DistanceMatrix& matrix, std::span<const int> members) {
    const auto edges = minimum_spanning_tree(static_cast<int>(members.size()), [&](int u, int v) {
        return linking_distance(matrix, members[static_cast<std::size_t>(u)],
                                members[static_cast<std::size_t>(v)]);
    });
    std::vector<int32_t> heights;
    heights.reserve(edges.size());
    for (const TreeEdge& edge : edges) {
        heights.push_back(edge.weight);
    }
    std::sort(heights.begin(), heights.end());
    return heights;
}

std::optional<HeightGap> largest_gap(std::span<const double> heights, double fraction) {
    // R's round(): to the nearest integer, halves to even (the default rounding mode).
    const double kept_real = std::nearbyint(fraction * static_cast<double>(heights.size()));
    const auto kept =
        static_cast<std::size_t>(std::clamp(kept_real, 0.0, static_cast<double>(heights.size())));
    if (kept < 2) {
        return std::nullopt;
    }
    std::size_t widest = 0;
    for (std::size_t i = 1; i + 1 < kept; ++i) {
        if (heights[i + 1] - heights[i] > heights[widest + 1] - heights[widest]) {
            widest = i;
        }
    }
    return HeightGap{heights[widest], heights[widest + 1]};
}

}  // namespace kelvane
