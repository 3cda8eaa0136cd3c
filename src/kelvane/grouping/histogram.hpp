// The distance histogram: the tally of the pairs into distance classes and the table with its
// bars.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// x truncated toward zero, plus one unless x lies less than 0.000001 above the truncated value.
// Quotients beyond the 64-bit range are held at its ends instead of overflowing.
int64_t ceiling_with_tolerance(double x);

// The largest distance of the matrix, diagonal included.
int32_t largest_distance(const DistanceMatrix& matrix);

// The width of a class: the maximum distance over the number of classes, in floating point.
double class_width(int32_t max_distance, int32_t classes);

// Adds every pair of the lower triangle (row i, column j < i) to counts, whose entries are the
// classes 0 to K. Class k holds the distances above (k - 1) * width and at most k * width, with
// a tolerance of 0.000001 on the quotient; pairs beyond class K and pairs with a negative
// distance are not counted.
void tally_distance_classes(const DistanceMatrix& matrix, double width, std::span<int64_t> counts);

// The same for real distances, every pair (i, j < i) at i * (i - 1) / 2 + j.
void tally_value_classes(std::span<const double> values, double width, std::span<int64_t> counts);

// Zeroed counters of classes 0 to classes (2 or more), in 64 bits so that the largest class
// cannot overflow; a number of classes too large for memory ends the run.
std::vector<int64_t> class_counters(int32_t classes);

// The counts of classes 0 to classes for the classes of width class_width(max_distance, classes).
std::vector<int64_t> histogram_counts(const DistanceMatrix& matrix, int32_t classes,
                                      int32_t max_distance);

// The number of asterisks of a class: the count itself while the largest class (top) has at
// most 38 pairs, else the count scaled so that the largest class gets 38.
int64_t bar_length(int64_t count, int64_t top);

// The header line and one line per class: number, upper bound, count and bar.
void write_histogram_table(std::ostream& out, std::span<const int64_t> counts, double width);

}  // namespace kelvane
