// The threshold suggested by the largest gap among the merge heights of single linkage: the
// heights at which the distinct genotypes (individuals with identical data counted once) merge
// are the weights of a minimum spanning tree among them, sorted. Within the first
// round(fraction x count) heights (halves to even), the first largest difference between
// neighbours separates the distances within clones from those between them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The merge heights of single linkage among the individuals given (at least one), ascending.
std::vector<int32_t> merge_heights(const DistanceMatrix& matrix, std::span<const int> members);

// In the distances' unit: whole numbers, or real ones on real distances. Grouping at any
// threshold from low up to (not including) high groups alike.
struct HeightGap {
    double low;   // the height below the gap
    double high;  // the height above it
};

// The first largest gap within the first round(fraction x heights) heights (fraction in (0, 1]),
// or nothing when that leaves fewer than two heights. Whole heights differ exactly in doubles.
std::optional<HeightGap> largest_gap(std::span<const double> heights, double fraction);
inline std::optional<HeightGap> largest_gap(const std::vector<int32_t>& heights, double fraction) {
    return largest_gap(std::vector<double>(heights.begin(), heights.end()), fraction);
}

}  // namespace kelvane
