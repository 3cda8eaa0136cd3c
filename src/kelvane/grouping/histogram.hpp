// The pieces of the distance histogram: the tally of the pairs into distance classes and the
// table with its bars. The dialogue around them is distance_histogram.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "distance_matrix.hpp"

namespace kelvane {

// The width of a class: the maximum distance over the number of classes, in floating point.
double class_width(int32_t max_distance, int32_t classes);

// Adds every pair of the lower triangle (row i, column j < i) to counts, whose entries are the
// classes 0 to K. Class k holds the distances above (k - 1) * width and at most k * width, with
// a tolerance of 0.000001 on the quotient; pairs beyond class K and pairs with a negative
// distance are not counted.
void tally_distance_classes(const DistanceMatrix& matrix, double width, std::span<int64_t> counts);

// The number of asterisks of a class: the count itself while the largest class (top) has at
// most 38 pairs, else the count scaled so that the largest class gets 38.
int64_t bar_length(int64_t count, int64_t top);

// The header line and one line per class: number, upper bound, count and bar.
void write_histogram_table(std::ostream& out, std::span<const int64_t> counts, double width);

}  // namespace kelvane
