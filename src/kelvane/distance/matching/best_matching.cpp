// The best matching of allele copies: a programme over sets of columns for a few copies, fast
// where exact arithmetic applies, an exact search otherwise, and the enumeration of all matchings
// they reproduce.
#include "kelvane/distance/matching/best_matching.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "kelvane/distance/matching/subset_matching.hpp"

namespace kelvane {
namespace {

// The enumeration keeps a sum only below this start value.
constexpr double kEnumerationBound = 10000000.0;

// The smallest b with 2^b >= k.
int bits_for(int k) {
    int bits = 0;
    while ((int64_t{1} << bits) < k) {
        ++bits;
    }
    return bits;
}

// The sum for the sizes that need no search: none for no copies, the one entry for one copy, and
// for two copies the first matching when it is strictly smaller, else the second.
std::optional<double> small_matching_sum(const CostTable& costs, int k) {
    if (k <= 0) {
        return 0.0;
    }
    if (k == 1) {
        return costs.at(0, 0);
    }
    if (k == 2) {
        const double first = costs.at(0, 0) + costs.at(1, 1);
        const double second = costs.at(1, 0) + costs.at(0, 1);
        return first < second ? first : second;
    }
    return std::nullopt;
}

// Whether value times scale = 2^q is a whole number from 0 to 2^q, for q <= 51. Adding and
// removing 2^52 rounds a number from 0 to 2^51 to a whole one (from 2^52 on, doubles are whole
// numbers one apart), which leaves whole numbers as they are.
bool whole_when_scaled(double value, double scale) {
    constexpr double kWhole = 0x1p52;
    const double scaled = value * scale;
    return (scaled >= 0.0) & (scaled <= scale) & ((scaled + kWhole) - kWhole == scaled);
}

}  // namespace

double BestMatching::sum(const CostTable& costs, int k) {
    if (const auto small = small_matching_sum(costs, k)) {
        return *small;
    }
    double value = 0.0;
    if (k <= kSubsetMatchingCopies) {
        // Cheaper than either way below for few copies, and exact for any table.
        ++searches_;
        value = subset_matching_sum(costs, k);
    } else if (!scaled_integer_sum(costs, k, value)) {
        ++searches_;
        value = search_.best_sum(costs, k);
    }
    return std::min(value, kEnumerationBound);
}

// When every cost is a multiple of 2^-q for q = 53 - bits_for(k) (costs of base 2 up to about
// 49 steps, 0 and 1), every partial sum of every matching is a multiple of 2^-q not above k and
// so has at most 53 significant bits: every addition is exact, every matching's row-order sum is
// its exact sum, and the smallest one is the optimum of the integer assignment of the costs
// times 2^q, which the Hungarian method finds exactly in 64-bit integers.
bool BestMatching::scaled_integer_sum(const CostTable& costs, int k, double& sum) {
    const int q = 53 - bits_for(k);
    if (q < 0) {
        return false;
    }
    const double scale = std::ldexp(1.0, q);
    const auto size = static_cast<std::size_t>(k);
    scaled_.resize(size * size);
    for (int x = 0; x < k; ++x) {
        for (int y = 0; y < k; ++y) {
            const double scaled = costs.at(x, y) * scale;
            if (!(scaled >= 0.0 && scaled <= scale)) {
                return false;
            }
            const auto whole = static_cast<int64_t>(scaled);
            if (static_cast<double>(whole) != scaled) {
                return false;
            }
            scaled_[static_cast<std::size_t>(x) * size + static_cast<std::size_t>(y)] = whole;
        }
    }
    const auto cost = [&](int x, int y) {
        return scaled_[static_cast<std::size_t>(x) * size + static_cast<std::size_t>(y)];
    };
    // Constant rows at the end (missing copies of the first individual) add their cost whatever
    // column they take; only the rows before them need assigning.
    int rows = k;
    int64_t total = 0;
    while (rows > 0 && std::all_of(scaled_.begin() + (rows - 1) * k, scaled_.begin() + rows * k,
                                   [&](int64_t c) { return c == cost(rows - 1, 0); })) {
        total += cost(rows - 1, 0);
        --rows;
    }
    if (rows > 0) {
        integer_assignment_.solve(scaled_, size, rows, k);
        for (int x = 0; x < rows; ++x) {
            total += cost(x, integer_assignment_.column_of_row()[static_cast<std::size_t>(x)]);
        }
    }
    sum = std::ldexp(static_cast<double>(total), -q);
    return true;
}

// A sum of at most 2^b multiples of 2^-q from 0 to 1 is a multiple of 2^-q not above 2^b, and a
// difference of two lies in -1 to 1: both need at most q + b = 53 significant bits.
bool adds_exactly(double value, int k) {
    return whole_when_scaled(value, std::ldexp(1.0, 53 - bits_for(k)));
}

double best_matching_sum(const CostTable& costs, int k) {
    BestMatching matching;
    return matching.sum(costs, k);
}

namespace {

// Row `row` onward of the enumeration; used marks the columns the outer loops hold.
void enumerate_rows(const CostTable& costs, int k, int row, double partial, std::vector<bool>& used,
                    double& best) {
    if (row == k) {
        if (partial < best) {
            best = partial;
        }
        return;
    }
    for (int y = 0; y < k; ++y) {
        if (used[static_cast<std::size_t>(y)]) {
            continue;
        }
        used[static_cast<std::size_t>(y)] = true;
        // Carrying the partial sum adds the entries in row order, as a sum from scratch does.
        enumerate_rows(costs, k, row + 1, partial + costs.at(row, y), used, best);
        used[static_cast<std::size_t>(y)] = false;
    }
}

}  // namespace

double enumerated_matching_sum(const CostTable& costs, int k) {
    if (const auto small = small_matching_sum(costs, k)) {
        return *small;
    }
    double best = kEnumerationBound;
    std::vector<bool> used(static_cast<std::size_t>(k), false);
    enumerate_rows(costs, k, 0, 0.0, used, best);
    return best;
}

}  // namespace kelvane
