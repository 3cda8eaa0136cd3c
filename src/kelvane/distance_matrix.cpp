// The distance matrix store.
#include "distance_matrix.hpp"

#include <new>
#include <stdexcept>

#include "fatal_error.hpp"

namespace kelvane {

DistanceMatrix::DistanceMatrix(int n) : n_(n) {
    try {
        cells_.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0);
    } catch (const std::bad_alloc&) {
        throw clonal::FatalError("ERROR: distance matrix malloc failed, more memory needed");
    } catch (const std::length_error&) {
        throw clonal::FatalError("ERROR: distance matrix malloc failed, more memory needed");
    }
}

}  // namespace kelvane
