// Small routines on integer and real arrays whose orders, start values and tie rules the
// programs rely on: sorting, extreme values, the ceiling with tolerance of the histogram and the
// separator line of the console dialogue.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

namespace clonal {

// Sorts positions left to right (both included) ascending; nothing happens when left >= right.
void sort_ints(std::span<int32_t> values, int left, int right);

void swap_ints(int32_t& p, int32_t& q);

// The larger (smaller) of two integers; the first one when they are equal.
int32_t max_int(int32_t a, int32_t b);
int32_t min_int(int32_t a, int32_t b);

inline constexpr int32_t kSmallestInt = INT32_MIN;

// The largest of the values, or the smallest 32-bit integer for none.
int32_t max_of_vector(std::span<const int32_t> values);

// The largest element of a row-major table, or the smallest 32-bit integer for an empty one.
int32_t max_of_matrix(std::span<const int32_t> cells, int rows, int columns);

// x truncated toward zero, plus one unless x lies less than 0.000001 above the truncated value.
// Quotients beyond the 64-bit range are held at its ends instead of overflowing.
int64_t ceiling_with_tolerance(double x);

// Comparison for a descending sort of integers: the integer at q minus the integer at p, as its
// sign (the difference itself could overflow).
int compare_ints_descending(int32_t p, int32_t q);

// Sorts integers descending, so that missing copies (0) of positive allele values come last.
void sort_descending(std::span<int32_t> values);

// 1 when p is greater than q, -1 when it is smaller, 0 otherwise (equal, or either not a number).
int compare_doubles_ascending(double p, double q);

// Sorts reals ascending with every value that is not a number after all numbers: a strict weak
// ordering that agrees with compare_doubles_ascending wherever that one is decisive.
void sort_doubles_ascending(std::span<double> values);

// A line end, four blanks, 68 hyphens and two line ends.
void print_separator(std::ostream& out);

}  // namespace clonal
