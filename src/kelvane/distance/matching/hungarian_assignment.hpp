// The minimum-cost assignment of rows to distinct columns (Hungarian method with shortest
// augmenting paths and potentials, O(rows^2 x columns)). Exact with integer costs; with real
// costs it gives a good assignment and potentials from which the exact matching search starts.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace kelvane {

template <class Cost>
class HungarianAssignment {
  public:
    // Assigns rows 0..rows-1 to distinct columns of 0..columns-1 (rows <= columns) so that the
    // total of the costs is smallest; cost (x, y) is costs[x * stride + y]. Costs must be finite.
    void solve(std::span<const Cost> costs, std::size_t stride, int rows, int columns) {
        // The method numbers rows and columns from 1; column 0 is the root of the augmenting
        // paths and row_of_[0] the row being added.
        const auto m = static_cast<std::size_t>(columns);
        u_.assign(static_cast<std::size_t>(rows) + 1, Cost{});
        v_.assign(m + 1, Cost{});
        row_of_.assign(m + 1, 0);
        way_.resize(m + 1);
        min_reduced_.resize(m + 1);
        used_.resize(m + 1);
        // Row reduction: each row's potential is its smallest cost, which keeps every reduced
        // cost non-negative, and a row takes a free column of that cost at once (a tight edge).
        // The augmenting paths then only add the rows left over; the result is the same optimum.
        pending_.clear();
        for (std::size_t row = 1; row <= static_cast<std::size_t>(rows); ++row) {
            const Cost* cost_row = costs.data() + (row - 1) * stride;
            const Cost smallest = *std::min_element(cost_row, cost_row + m);
            u_[row] = smallest;
            std::size_t free_column = 0;
            for (std::size_t j = 1; j <= m && free_column == 0; ++j) {
                if (cost_row[j - 1] == smallest && row_of_[j] == 0) {
                    free_column = j;
                }
            }
            if (free_column != 0) {
                row_of_[free_column] = row;
            } else {
                pending_.push_back(row);
            }
        }
        for (const std::size_t row : pending_) {
            add_row(costs, stride, row, m);
        }
        column_of_row_.assign(static_cast<std::size_t>(rows), -1);
        for (std::size_t j = 1; j <= m; ++j) {
            if (row_of_[j] != 0) {
                column_of_row_[row_of_[j] - 1] = static_cast<int>(j) - 1;
            }
        }
    }

    // The column of every row in the best assignment.
    std::span<const int> column_of_row() const { return column_of_row_; }

    // Potentials: u(x) + v(y) <= cost(x, y) everywhere (up to rounding with real costs), with
    // equality on the assignment.
    Cost row_potential(int x) const { return u_[static_cast<std::size_t>(x) + 1]; }
    Cost column_potential(int y) const { return v_[static_cast<std::size_t>(y) + 1]; }

  private:
    static constexpr Cost kInfinity = std::numeric_limits<Cost>::has_infinity
                                          ? std::numeric_limits<Cost>::infinity()
                                          : std::numeric_limits<Cost>::max() / 4;

    // Adds one row along a shortest augmenting path from it to a free column.
    void add_row(std::span<const Cost> costs, std::size_t stride, std::size_t row, std::size_t m) {
        row_of_[0] = row;
        std::size_t j0 = 0;
        std::fill(min_reduced_.begin(), min_reduced_.end(), kInfinity);
        std::fill(used_.begin(), used_.end(), char{0});
        do {
            used_[j0] = 1;
            const std::size_t i0 = row_of_[j0];
            const Cost* cost_row = costs.data() + (i0 - 1) * stride - 1;
            const Cost u0 = u_[i0];
            Cost delta = kInfinity;
            std::size_t j1 = 0;
            for (std::size_t j = 1; j <= m; ++j) {
                if (used_[j] != 0) {
                    continue;
                }
                const Cost reduced = cost_row[j] - u0 - v_[j];
                if (reduced < min_reduced_[j]) {
                    min_reduced_[j] = reduced;
                    way_[j] = j0;
                }
                if (min_reduced_[j] < delta) {
                    delta = min_reduced_[j];
                    j1 = j;
                }
            }
            for (std::size_t j = 0; j <= m; ++j) {
                if (used_[j] != 0) {
                    u_[row_of_[j]] += delta;
                    v_[j] -= delta;
                } else {
                    min_reduced_[j] -= delta;
                }
            }
            j0 = j1;
        } while (row_of_[j0] != 0);
        do {
            const std::size_t j1 = way_[j0];
            row_of_[j0] = row_of_[j1];
            j0 = j1;
        } while (j0 != 0);
    }

    std::vector<Cost> u_;
    std::vector<Cost> v_;
    std::vector<std::size_t> row_of_;  // row (from 1) assigned to each column, 0 for none
    std::vector<std::size_t> way_;
    std::vector<Cost> min_reduced_;
    std::vector<char> used_;
    std::vector<int> column_of_row_;
    std::vector<std::size_t> pending_;
};

}  // namespace kelvane
