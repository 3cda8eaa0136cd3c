// Importing a distance matrix from a text file, in the square layout or as the unfolded lower
// triangle. A value is the leading digits of a word that starts at a digit; everything that is
// not a digit before it is skipped.
#pragma once

#include "console.hpp"
#include "distance_matrix.hpp"

namespace kelvane {

// Asks for the file and its layout and reads the matrix. 1 when a matrix was read, 0 when the
// file could not be opened or its contents were rejected (the cells read before the failure then
// keep their new values).
int import_distance_matrix(clonal::Console& console, DistanceMatrix& matrix);

}  // namespace kelvane
