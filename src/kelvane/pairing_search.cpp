// The exact search for the best pairing when the row-order sums of different pairings may round
// differently (costs that are not short binary fractions).
//
// Why it is exact:
// - Rounding to nearest is monotone: if two partial sums s <= s', then s + e rounds to at most
//   what s' + e rounds to. So among pairings that give the same set of columns to rows 0..r-1,
//   only the smallest partial sum can lead to the smallest total: the search goes row by row
//   and keeps, for each set of used columns, only its smallest partial sum (at most one state
//   per set, so the work is bounded by the number of sets instead of k!).
// - Identical columns (copies with the same value, missing copies) give identical sums
//   whichever of them takes which row, so only pairings that hand the columns of such a class
//   to rows in column order are tried.
// - Rows that are constant at the end (missing copies of the first individual come last) add
//   the same values whatever columns they take.
// - A state is dropped when a lower bound of every total it can lead to is not below the best
//   total found so far (which starts as the total of the assignment the Hungarian method finds).
//   The bound holds in exact arithmetic for any potentials u, v: the remaining rows R and
//   columns C of a pairing cost sum over R of u + sum over C of v minus |R| times the largest
//   amount by which any cost falls below u + v. Rounding of the remaining additions and of the
//   bound itself is covered by a margin far above the possible error, so the bound never
//   exceeds a reachable total; a looser bound only keeps more states.
#include "pairing_search.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

namespace kelvane {
namespace {

constexpr double kUnitRoundoff = 0x1p-53;

bool same_column(const CostTable& costs, int k, int a, int b) {
    for (int x = 0; x < k; ++x) {
        if (costs.at(x, a) != costs.at(x, b)) {
            return false;
        }
    }
    return true;
}

bool constant_row(const CostTable& costs, int k, int x) {
    for (int y = 1; y < k; ++y) {
        if (costs.at(x, y) != costs.at(x, 0)) {
            return false;
        }
    }
    return true;
}

// The states of one row of the search: the set of used columns as a bit set of `words` words,
// the smallest partial sum reaching it and the sum of the column potentials of its columns.
struct Layer {
    std::size_t words = 1;
    std::vector<uint64_t> keys;
    std::vector<double> partial;
    std::vector<double> used_potential;

    std::size_t size() const { return partial.size(); }
    const uint64_t* key(std::size_t state) const { return keys.data() + state * words; }
    bool uses(std::size_t state, int column) const {
        const auto c = static_cast<std::size_t>(column);
        return ((key(state)[c / 64] >> (c % 64)) & 1U) != 0;
    }
    void add(const uint64_t* from, int column, double sum, double potential) {
        const std::size_t start = keys.size();
        keys.insert(keys.end(), from, from + words);
        const auto c = static_cast<std::size_t>(column);
        keys[start + c / 64] |= uint64_t{1} << (c % 64);
        partial.push_back(sum);
        used_potential.push_back(potential);
    }
};

// Keeps one state per set of used columns, the one with the smallest partial sum.
Layer merged(const Layer& children) {
    std::vector<std::size_t> order(children.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto key_less = [&](std::size_t a, std::size_t b) {
        return std::lexicographical_compare(children.key(a), children.key(a) + children.words,
                                            children.key(b), children.key(b) + children.words);
    };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (key_less(a, b)) {
            return true;
        }
        if (key_less(b, a)) {
            return false;
        }
        return children.partial[a] < children.partial[b];
    });
    Layer result;
    result.words = children.words;
    for (std::size_t position = 0; position < order.size(); ++position) {
        const std::size_t state = order[position];
        if (position > 0 && !key_less(order[position - 1], state)) {
            continue;
        }
        result.keys.insert(result.keys.end(), children.key(state),
                           children.key(state) + children.words);
        result.partial.push_back(children.partial[state]);
        result.used_potential.push_back(children.used_potential[state]);
    }
    return result;
}

}  // namespace

double float_exact_pairing_search(const CostTable& costs, int k,
                                  HungarianAssignment<double>& assignment) {
    assignment.solve(costs.cells, static_cast<std::size_t>(costs.stride), k, k);
    double best = 0.0;
    for (int x = 0; x < k; ++x) {
        best += costs.at(x, assignment.column_of_row()[static_cast<std::size_t>(x)]);
    }

    std::vector<int> previous_same(static_cast<std::size_t>(k), -1);
    for (int y = 1; y < k; ++y) {
        for (int other = y - 1; other >= 0; --other) {
            if (same_column(costs, k, other, y)) {
                previous_same[static_cast<std::size_t>(y)] = other;
                break;
            }
        }
    }
    int search_rows = k;
    while (search_rows > 0 && constant_row(costs, k, search_rows - 1)) {
        --search_rows;
    }

    std::vector<double> row_potential_from(static_cast<std::size_t>(k) + 1, 0.0);
    double column_potentials = 0.0;
    double below_potentials = 0.0;
    double magnitude = k;
    for (int x = k - 1; x >= 0; --x) {
        row_potential_from[static_cast<std::size_t>(x)] =
            row_potential_from[static_cast<std::size_t>(x) + 1] + assignment.row_potential(x);
    }
    for (int x = 0; x < k; ++x) {
        double largest = 0.0;
        for (int y = 0; y < k; ++y) {
            const double reduced =
                costs.at(x, y) - assignment.row_potential(x) - assignment.column_potential(y);
            below_potentials = std::max(below_potentials, -reduced);
            largest = std::max(largest, std::fabs(costs.at(x, y)));
        }
        magnitude += largest + std::fabs(assignment.row_potential(x)) +
                     std::fabs(assignment.column_potential(x));
        column_potentials += assignment.column_potential(x);
    }
    const double size = k + 4;
    const double margin = 16.0 * size * size * kUnitRoundoff * magnitude;
    const auto lower_bound = [&](int rows_done, double partial, double used_potential) {
        return partial + row_potential_from[static_cast<std::size_t>(rows_done)] +
               (column_potentials - used_potential) - (k - rows_done) * below_potentials - margin;
    };

    Layer layer;
    layer.words = (static_cast<std::size_t>(k) + 63) / 64;
    layer.keys.assign(layer.words, 0);
    layer.partial.push_back(0.0);
    layer.used_potential.push_back(0.0);
    for (int row = 0; row < search_rows && layer.size() > 0; ++row) {
        Layer children;
        children.words = layer.words;
        for (std::size_t state = 0; state < layer.size(); ++state) {
            for (int y = 0; y < k; ++y) {
                const int previous = previous_same[static_cast<std::size_t>(y)];
                if (layer.uses(state, y) || (previous >= 0 && !layer.uses(state, previous))) {
                    continue;
                }
                const double partial = layer.partial[state] + costs.at(row, y);
                const double potential =
                    layer.used_potential[state] + assignment.column_potential(y);
                if (lower_bound(row + 1, partial, potential) >= best) {
                    continue;
                }
                children.add(layer.key(state), y, partial, potential);
            }
        }
        layer = merged(children);
    }
    for (std::size_t state = 0; state < layer.size(); ++state) {
        double total = layer.partial[state];
        for (int x = search_rows; x < k; ++x) {
            total += costs.at(x, 0);
        }
        best = std::min(best, total);
    }
    return best;
}

}  // namespace kelvane
