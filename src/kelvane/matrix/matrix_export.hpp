// Writing the distance matrix as text, square or as the unfolded lower triangle, in the layouts
// the import reads back.
#pragma once

#include <ostream>

#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// Rows of tab-separated values, a line end between rows and none after the last.
void write_square(const DistanceMatrix& matrix, std::ostream& out);

// One value per line in the order (1,0), (2,0), (2,1), (3,0), ...
void write_lower_triangle(const DistanceMatrix& matrix, std::ostream& out);

}  // namespace kelvane
