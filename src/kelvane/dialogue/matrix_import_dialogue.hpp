// Importing a distance matrix as the dialogue asks for it: the file, then its layout.
#pragma once

#include "common/dialogue/console.hpp"
#include "common/dialogue/dialogue_only.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::dialogue {

// 1 when a matrix was read, 0 when the file could not be opened or its contents were rejected
// (the cells read before the failure then keep their new values).
int import_distance_matrix(clonal::Console& console, DistanceMatrix& matrix);

}  // namespace kelvane::dialogue
