// The distance matrix store.
#include "kelvane/matrix/distance_matrix.hpp"

#include <new>
#include <stdexcept>

#include "common/core/allocation.hpp"

namespace kelvane {

DistanceMatrix::DistanceMatrix(int n) : DistanceMatrix(n, 0, n) {}

DistanceMatrix::DistanceMatrix(int n, int first_row, int end_row)
    : n_(n), first_row_(first_row), end_row_(end_row) {
    clonal::with_memory_message("distance matrix malloc failed, more memory needed", [&] {
        cells_.assign(static_cast<std::size_t>(end_row - first_row) * static_cast<std::size_t>(n),
                      0);
    });
}

}  // namespace kelvane
