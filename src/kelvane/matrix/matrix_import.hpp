// Importing a distance matrix from a text file, in the square layout or as the unfolded lower
// triangle. A value is the leading digits of a word that starts at a digit; everything that is
// not a digit before it is skipped.
#pragma once

#include <string>

#include "console.hpp"
#include "distance_matrix.hpp"

namespace kelvane {

enum class MatrixLayout { kSquare = 1, kLowerTriangle = 2 };

// Reads the matrix from the content of a matrix file in the layout given; 1 when it was read,
// 0 after printing why its contents were rejected.
int read_distance_matrix(std::string content, MatrixLayout layout, clonal::Console& console,
                         DistanceMatrix& matrix);

// Asks for the file and its layout and reads the matrix. 1 when a matrix was read, 0 when the
// file could not be opened or its contents were rejected (the cells read before the failure then
// keep their new values).
int import_distance_matrix(clonal::Console& console, DistanceMatrix& matrix);

}  // namespace kelvane
