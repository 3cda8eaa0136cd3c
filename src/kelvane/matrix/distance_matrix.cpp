// The distance matrix store.
#include "kelvane/matrix/distance_matrix.hpp"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "common/core/allocation.hpp"
#include "common/core/large_array.hpp"

namespace kelvane {

DistanceMatrix::DistanceMatrix(int n) : DistanceMatrix(n, 0, n) {}

DistanceMatrix::DistanceMatrix(int n, int first_row, int end_row)
    : n_(n), first_row_(first_row), end_row_(end_row) {
    clonal::with_memory_message("distance matrix malloc failed, more memory needed", [&] {
        cells_.assign(static_cast<std::size_t>(end_row - first_row) * static_cast<std::size_t>(n),
                      0);
    });
}

DistanceMatrix DistanceMatrix::band_store(int n, int first_row, int end_row) {
    DistanceMatrix band(n, 0, 0);
    band.reband(first_row, end_row);
    return band;
}

void DistanceMatrix::reband(int first_row, int end_row) {
    const std::size_t cells =
        static_cast<std::size_t>(end_row - first_row) * static_cast<std::size_t>(n_);
    if (cells > cells_.size()) {
        clonal::with_memory_message("distance matrix malloc failed, more memory needed", [&] {
            cells_ = {};
            cells_.resize(cells);
        });
    }
    first_row_ = first_row;
    end_row_ = end_row;
}

std::vector<double> lower_triangle(const DistanceMatrix& matrix) {
    const int n = matrix.size();
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(n) * static_cast<std::size_t>(std::max(n - 1, 0)) / 2);
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            values.push_back(matrix.at(i, j));
        }
    }
    return values;
}

}  // namespace kelvane
