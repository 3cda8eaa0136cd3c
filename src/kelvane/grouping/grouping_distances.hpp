// The distances a grouping reads: the whole numbers of a matrix, or real distances held by their
// ranks. Single and complete linkage, the spanning trees and networks depend only on the order of
// the distances, so on real distances they run on the ranks, exactly, and give their heights back
// as the real distances of those ranks; average linkage reads the real values themselves.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

struct GroupingDistances {
    // The whole distances, or the rank of each real distance among the distinct values (0: the
    // distance 0, which every individual has to itself).
    DistanceMatrix matrix{0};
    // Real distances: values[r] is the distance of rank r, ascending, values[0] == 0; the last
    // is infinite when some pairs have no distance (they never join at a threshold). Empty for
    // whole distances.
    std::vector<double> values;

    bool real() const { return !values.empty(); }

    // The matrix's threshold for a threshold in the distances' unit (0 or more): the pairs at or
    // below the one are those at or below the other.
    int32_t matrix_threshold(double threshold) const;

    // A matrix distance, or a height of single or complete linkage on it, in the distances' unit.
    double distance(int64_t matrix_value) const {
        return real() ? values[static_cast<std::size_t>(matrix_value)]
                      : static_cast<double>(matrix_value);
    }

    // The real distance of a pair.
    double value(int u, int v) const {
        const int32_t rank = u < v ? matrix.at(u, v) : matrix.at(v, u);
        return distance(rank);
    }
};

// The matrix threshold of a threshold (0 or more) on whole distances: the whole number at or
// below it, at most the largest distance a matrix holds.
int32_t whole_threshold(double threshold);

// The whole distances of a matrix, taken over.
GroupingDistances whole_distances(DistanceMatrix matrix);

// Refuses real distances of the individuals named (every pair (i, j < i) at i * (i - 1) / 2 + j)
// that a grouping or a histogram cannot take: one below 0 or infinite is a FatalError naming the
// pair, and so is one that is not a number (a pair without a distance) unless missing_allowed.
void check_real_distances(std::span<const std::string> names, std::span<const double> lower,
                          bool missing_allowed = false);

// The real distances of the individuals named, every pair (i, j < i) at i * (i - 1) / 2 + j, by
// their ranks; a pair without a distance (NaN) takes the infinite rank above every distance, so
// that it joins at no threshold. check_real_distances's errors; more than 2^31 - 1 distinct
// values is one of kind kLimit. Memory: the n x n ranks and a sorted copy of the distances.
GroupingDistances ranked_distances(std::span<const std::string> names,
                                   std::span<const double> lower);

}  // namespace kelvane
