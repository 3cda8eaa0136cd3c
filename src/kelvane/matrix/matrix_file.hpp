// A distance matrix file read strictly: every word is a value in full, every value a distance,
// and the file holds exactly the values its layout needs. Four layouts are read:
// - a square matrix: n rows of n values, symmetric with zeros on the diagonal;
// - a lower triangle: the n(n-1)/2 values (1,0), (2,0), (2,1), (3,0), ... in any line layout;
// - the square table of names (write_square_distances): a header "individual" and the names,
//   then a row per individual, its name first;
// - the table of pairs (write_distance_pairs): a header "individual_a individual_b distance",
//   then a row per pair.
// Tables with names are matched to the data set's individuals by name (in any order when the data
// set's names are distinct). Values are whole numbers unless a scale is given; then each is a
// real number, multiplied by the scale and rounded to the nearest whole number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

enum class MatrixFileLayout { kAuto, kSquare, kLower };

struct MatrixFileSettings {
    MatrixFileLayout layout = MatrixFileLayout::kAuto;
    std::optional<double> scale;  // real values times scale, rounded; nothing: whole numbers
};

// The matrix of the individuals named in order; bad content is an InputError naming the line
// (and the value). A value that is not a whole number where no scale was given names the setting
// matrix_scale, which reads it.
DistanceMatrix read_matrix_file(std::string_view content, const std::vector<std::string>& names,
                                const MatrixFileSettings& settings);

}  // namespace kelvane
