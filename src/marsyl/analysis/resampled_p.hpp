// A p-value of a resampling test as the tables give it: with the observed data counted as one
// of the permutations, a single permutation draws nothing at random and leaves the p-value
// undefined (NaN, written NA), not 1; so does a pair with an empty population, which has no
// sample to compare.
#pragma once

#include <cstdint>
#include <limits>

namespace marsyl {

inline double defined_p(double p, int32_t permutations, bool empty_population = false) {
    return permutations > 1 && !empty_population ? p : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace marsyl
