// Importing a distance matrix from the text of a matrix file, in the square layout or as the
// unfolded lower triangle. A value is the leading digits of a word that starts at a digit;
// everything that is not a digit before it is skipped.
#pragma once

#include <optional>
#include <string>

#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

enum class MatrixLayout { kSquare = 1, kLowerTriangle = 2 };

struct MatrixImport {
    // Why the content was rejected (a sentence, no line end), or nothing when it was read.
    std::optional<std::string> error;
    // A letter or a digit follows the last value the matrix needs.
    bool trailing_text = false;
};

// Reads the values of the layout given into matrix, whose size is the number of individuals.
// When the content is rejected, the cells read before the failure keep their new values.
MatrixImport read_distance_matrix(std::string content, MatrixLayout layout, DistanceMatrix& matrix);

}  // namespace kelvane
