// The histogram of the distances as the dialogue asks for it: its heading, the largest distance,
// the number of classes and the maximum distance, then the table.
#pragma once

#include <ostream>

#include "common/dialogue/console.hpp"
#include "common/dialogue/dialogue_only.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::dialogue {

// The table goes to out, or to the console when out is null.
void distance_histogram(clonal::Console& console, const DistanceMatrix& matrix, std::ostream* out);

}  // namespace kelvane::dialogue
