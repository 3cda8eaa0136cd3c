// The distance matrix store.
#include "kelvane/matrix/distance_matrix.hpp"

#include <new>
#include <stdexcept>

#include "common/core/allocation.hpp"

namespace kelvane {

DistanceMatrix::DistanceMatrix(int n) : n_(n) {
    clonal::with_memory_message("ERROR: distance matrix malloc failed, more memory needed", [&] {
        cells_.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0);
    });
}

}  // namespace kelvane
