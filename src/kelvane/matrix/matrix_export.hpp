// Writing the distance matrix to a text file, square or as the unfolded lower triangle, in the
// layouts the import reads back.
#pragma once

#include <ostream>

#include "console.hpp"
#include "distance_matrix.hpp"

namespace kelvane {

// Rows of tab-separated values, a line end between rows and none after the last.
void write_square(const DistanceMatrix& matrix, std::ostream& out);

// One value per line in the order (1,0), (2,0), (2,1), (3,0), ...
void write_lower_triangle(const DistanceMatrix& matrix, std::ostream& out);

// Asks for the layout and the file name and writes the file; false when the writing failed
// (reported on the console).
bool save_distance_matrix(clonal::Console& console, const DistanceMatrix& matrix);

}  // namespace kelvane
