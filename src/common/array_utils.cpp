// Small routines on integer and real arrays.
#include "array_utils.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace clonal {

void sort_ints(std::span<int32_t> values, int left, int right) {
    if (left >= right) {
        return;
    }
    // Ascending order of integers is unique, so any correct sort yields what the quicksort of
    // the first description yields; the library sort also has no recursion depth to fear.
    std::sort(values.begin() + left, values.begin() + right + 1);
}

void swap_ints(int32_t& p, int32_t& q) {
    std::swap(p, q);
}

int32_t max_int(int32_t a, int32_t b) {
    return b > a ? b : a;
}

int32_t min_int(int32_t a, int32_t b) {
    return b < a ? b : a;
}

int32_t max_of_vector(std::span<const int32_t> values) {
    int32_t largest = kSmallestInt;
    for (const int32_t v : values) {
        largest = max_int(largest, v);
    }
    return largest;
}

int32_t max_of_matrix(std::span<const int32_t> cells, int rows, int columns) {
    if (rows <= 0 || columns <= 0) {
        return kSmallestInt;
    }
    return max_of_vector(
        cells.first(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns)));
}

int64_t ceiling_with_tolerance(double x) {
    constexpr double kLimit = 4.0e18;
    if (std::isnan(x)) {
        return INT64_MAX;
    }
    const double t = std::trunc(std::clamp(x, -kLimit, kLimit));
    const auto truncated = static_cast<int64_t>(t);
    return (x - t < 0.000001) ? truncated : truncated + 1;
}

int compare_ints_descending(int32_t p, int32_t q) {
    return (q > p) - (q < p);
}

void sort_descending(std::span<int32_t> values) {
    std::sort(values.begin(), values.end(), [](int32_t a, int32_t b) { return a > b; });
}

int compare_doubles_ascending(double p, double q) {
    if (p > q) {
        return 1;
    }
    if (p < q) {
        return -1;
    }
    return 0;
}

void sort_doubles_ascending(std::span<double> values) {
    std::stable_sort(values.begin(), values.end(), [](double a, double b) {
        if (std::isnan(a)) {
            return false;
        }
        if (std::isnan(b)) {
            return true;
        }
        return a < b;
    });
}

void print_separator(std::ostream& out) {
    out << "\n    --------------------------------------------------------------------\n\n";
}

}  // namespace clonal
