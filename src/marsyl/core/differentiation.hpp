// The permutation test of two populations for a difference in genotype composition.
#pragma once

#include <cstdint>
#include <ostream>

#include "g_statistic.hpp"
#include "random.hpp"

namespace marsyl {

// The share of the permutations, the observed data counted as one of them, whose G reaches the
// observed G: (count + 1) / permutations after permutations - 1 random reassignments. With a
// permutations file, writes the observed G and every permuted G to it, one a line.
double differentiation_p_value(PairGStatistic& pair, int32_t permutations, clonal::Random& random,
                               std::ostream* permutations_file);

}  // namespace marsyl
