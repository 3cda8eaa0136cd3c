// The minimum-cost assignment of rows to distinct columns (Hungarian method with shortest
// augmenting paths and potentials, O(rows^2 x columns)). Exact with integer costs; with real
// costs it gives a good assignment and potentials from which the exact pairing search starts.
#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <vector>

namespace kelvane {

template <class Cost>
class HungarianAssignment {
  public:
    // Assigns rows 0..rows-1 to distinct columns of 0..columns-1 (rows <= columns) so that the
    // total of cost(x, y) is smallest. Costs must be finite.
    template <class CostOf>
    void solve(int rows, int columns, CostOf cost) {
        // The method numbers rows and columns from 1; column 0 is the root of the augmenting
        // paths and p_[0] the row being added.
        const auto m = static_cast<std::size_t>(columns);
        u_.assign(static_cast<std::size_t>(rows) + 1, Cost{});
        v_.assign(m + 1, Cost{});
        p_.assign(m + 1, 0);
        way_.assign(m + 1, 0);
        for (int row = 1; row <= rows; ++row) {
            p_[0] = row;
            std::size_t j0 = 0;
            min_reduced_.assign(m + 1, kInfinity);
            used_.assign(m + 1, false);
            do {
                used_[j0] = true;
                const auto i0 = static_cast<std::size_t>(p_[j0]);
                Cost delta = kInfinity;
                std::size_t j1 = 0;
                for (std::size_t j = 1; j <= m; ++j) {
                    if (used_[j]) {
                        continue;
                    }
                    const Cost reduced =
                        cost(static_cast<int>(i0) - 1, static_cast<int>(j) - 1) - u_[i0] - v_[j];
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
                    if (used_[j]) {
                        u_[static_cast<std::size_t>(p_[j])] += delta;
                        v_[j] -= delta;
                    } else {
                        min_reduced_[j] -= delta;
                    }
                }
                j0 = j1;
            } while (p_[j0] != 0);
            do {
                const std::size_t j1 = way_[j0];
                p_[j0] = p_[j1];
                j0 = j1;
            } while (j0 != 0);
        }
        column_of_row_.assign(static_cast<std::size_t>(rows), -1);
        for (std::size_t j = 1; j <= m; ++j) {
            if (p_[j] != 0) {
                column_of_row_[static_cast<std::size_t>(p_[j]) - 1] = static_cast<int>(j) - 1;
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

    std::vector<Cost> u_;
    std::vector<Cost> v_;
    std::vector<int> p_;  // row (from 1) assigned to each column, 0 for none
    std::vector<std::size_t> way_;
    std::vector<Cost> min_reduced_;
    std::vector<bool> used_;
    std::vector<int> column_of_row_;
};

}  // namespace kelvane
