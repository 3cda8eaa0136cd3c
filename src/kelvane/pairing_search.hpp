// The exact search for the best pairing when rounding makes the order of additions matter.
#pragma once

#include "best_matching.hpp"
#include "hungarian_assignment.hpp"

namespace kelvane {

// The smallest row-order sum in double precision over all pairings of the k rows with the k
// columns (k >= 1), found without trying every pairing; assignment is scratch space.
double float_exact_pairing_search(const CostTable& costs, int k,
                                  HungarianAssignment<double>& assignment);

}  // namespace kelvane
