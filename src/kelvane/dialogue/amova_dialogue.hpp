// The simple AMOVA as the dialogue runs it: the table, the question for the number of
// permutations, the permuted values when asked for, and the p-values.
#pragma once

#include <cstdint>
#include <span>

#include "common/core/random.hpp"
#include "common/dialogue/console.hpp"
#include "common/dialogue/dialogue_only.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::dialogue {

// 1 when it ran, 0 when it was refused.
int simple_amova(clonal::Console& console, clonal::Random& random, const DistanceMatrix& matrix,
                 std::span<const int32_t> pop_vector, int32_t n_populations);

}  // namespace kelvane::dialogue
