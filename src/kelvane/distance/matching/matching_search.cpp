// The exact search for the best matching when the row-order sums of different matchings may round
// differently (costs that are not short binary fractions).
//
// Why it is exact:
// - Rounding to nearest is monotone: if two partial sums s <= s', then s + e rounds to at most
//   what s' + e rounds to. So among matchings that give the same set of columns to rows 0..r-1,
//   only the smallest partial sum can lead to the smallest total: the search goes row by row
//   and keeps, for each set of used columns, only its smallest partial sum (at most one state
//   per set, so the work is bounded by the number of sets instead of k!).
// - Identical columns (copies with the same value, missing copies) give identical sums
//   whichever of them takes which row, so only matchings that hand the columns of such a class
//   to rows in column order are tried.
// - Rows that are constant at the end (missing copies of the first individual come last) add
//   the same values whatever columns they take.
// - A state is dropped when a lower bound of every total it can lead to is not below the best
//   total found so far (which starts as the total of the assignment the Hungarian method finds).
//   The bound holds in exact arithmetic for any potentials u, v: the remaining rows R and
//   columns C of a matching cost sum over R of u + sum over C of v minus |R| times the largest
//   amount by which any cost falls below u + v. Each remaining addition rounds its sum down by
//   at most 2^-53 of it, and evaluating the bound in double precision errs by a few units of
//   2^-53 of the magnitude M of the values involved (costs, potentials, partial sums); the
//   margin subtracted, 16 (k + 4)^2 2^-53 M, exceeds both together many times, so the bound
//   never exceeds a reachable total. A looser bound only keeps more states.
#include "kelvane/distance/matching/matching_search.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "kelvane/distance/matching/best_matching.hpp"

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

}  // namespace

bool MatchingSearch::Layer::uses(std::size_t state, int column) const {
    const auto c = static_cast<std::size_t>(column);
    return ((key(state)[c / 64] >> (c % 64)) & 1U) != 0;
}

void MatchingSearch::Layer::clear(std::size_t key_words) {
    words = key_words;
    keys.clear();
    partial.clear();
    used_potential.clear();
}

void MatchingSearch::Layer::add(const uint64_t* from, int column, double sum, double potential) {
    const std::size_t start = keys.size();
    keys.insert(keys.end(), from, from + words);
    if (column >= 0) {
        const auto c = static_cast<std::size_t>(column);
        keys[start + c / 64] |= uint64_t{1} << (c % 64);
    }
    partial.push_back(sum);
    used_potential.push_back(potential);
}

// The assignment, the classes of identical columns, the constant rows at the end and the
// ingredients of the lower bound.
void MatchingSearch::analyse(const CostTable& costs, int k) {
    const auto size = static_cast<std::size_t>(k);
    previous_same_.assign(size, -1);
    for (int y = 1; y < k; ++y) {
        for (int other = y - 1; other >= 0; --other) {
            if (same_column(costs, k, other, y)) {
                previous_same_[static_cast<std::size_t>(y)] = other;
                break;
            }
        }
    }
    search_rows_ = k;
    while (search_rows_ > 0 && constant_row(costs, k, search_rows_ - 1)) {
        --search_rows_;
    }
    row_potential_from_.assign(size + 1, 0.0);
    for (int x = k - 1; x >= 0; --x) {
        row_potential_from_[static_cast<std::size_t>(x)] =
            row_potential_from_[static_cast<std::size_t>(x) + 1] + assignment_.row_potential(x);
    }
    column_potentials_ = 0.0;
    below_potentials_ = 0.0;
    double magnitude = k;
    for (int x = 0; x < k; ++x) {
        double largest = 0.0;
        for (int y = 0; y < k; ++y) {
            const double reduced =
                costs.at(x, y) - assignment_.row_potential(x) - assignment_.column_potential(y);
            below_potentials_ = std::max(below_potentials_, -reduced);
            largest = std::max(largest, std::fabs(costs.at(x, y)));
        }
        magnitude += largest + std::fabs(assignment_.row_potential(x)) +
                     std::fabs(assignment_.column_potential(x));
        column_potentials_ += assignment_.column_potential(x);
    }
    const double grown = k + 4;
    margin_ = 16.0 * grown * grown * kUnitRoundoff * magnitude;
}

// Keeps one state per set of used columns, the one with the smallest partial sum.
void MatchingSearch::merge_children() {
    const Layer& children = children_;
    order_.resize(children.size());
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    const auto key_less = [&](std::size_t a, std::size_t b) {
        return std::lexicographical_compare(children.key(a), children.key(a) + children.words,
                                            children.key(b), children.key(b) + children.words);
    };
    std::sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
        if (key_less(a, b)) {
            return true;
        }
        if (key_less(b, a)) {
            return false;
        }
        return children.partial[a] < children.partial[b];
    });
    layer_.clear(children.words);
    for (std::size_t position = 0; position < order_.size(); ++position) {
        const std::size_t state = order_[position];
        if (position == 0 || key_less(order_[position - 1], state)) {
            layer_.add(children.key(state), -1, children.partial[state],
                       children.used_potential[state]);
        }
    }
}

double MatchingSearch::best_sum(const CostTable& costs, int k) {
    assignment_.solve(costs.cells, static_cast<std::size_t>(costs.stride), k, k);
    double best = 0.0;
    for (int x = 0; x < k; ++x) {
        best += costs.at(x, assignment_.column_of_row()[static_cast<std::size_t>(x)]);
    }
    analyse(costs, k);
    const auto lower_bound = [&](int rows_done, double partial, double used_potential) {
        return partial + row_potential_from_[static_cast<std::size_t>(rows_done)] +
               (column_potentials_ - used_potential) - (k - rows_done) * below_potentials_ -
               margin_;
    };

    const std::size_t words = (static_cast<std::size_t>(k) + 63) / 64;
    const std::vector<uint64_t> no_columns(words, 0);
    layer_.clear(words);
    layer_.add(no_columns.data(), -1, 0.0, 0.0);
    for (int row = 0; row < search_rows_ && layer_.size() > 0; ++row) {
        children_.clear(words);
        for (std::size_t state = 0; state < layer_.size(); ++state) {
            for (int y = 0; y < k; ++y) {
                const int previous = previous_same_[static_cast<std::size_t>(y)];
                if (layer_.uses(state, y) || (previous >= 0 && !layer_.uses(state, previous))) {
                    continue;
                }
                const double partial = layer_.partial[state] + costs.at(row, y);
                const double potential =
                    layer_.used_potential[state] + assignment_.column_potential(y);
                if (lower_bound(row + 1, partial, potential) >= best) {
                    continue;
                }
                children_.add(layer_.key(state), y, partial, potential);
            }
        }
        merge_children();
    }
    for (std::size_t state = 0; state < layer_.size(); ++state) {
        double total = layer_.partial[state];
        for (int x = search_rows_; x < k; ++x) {
            total += costs.at(x, 0);
        }
        best = std::min(best, total);
    }
    return best;
}

}  // namespace kelvane
