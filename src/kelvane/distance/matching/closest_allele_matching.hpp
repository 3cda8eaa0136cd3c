// Closest-allele matching of the stepwise distances: each present copy of one individual takes
// the closest still unused present copy of the other, in both directions.
#pragma once

#include <cstdint>
#include <span>

namespace kelvane {

// The sums of copy costs of the two directions.
struct MatchingSums {
    int64_t first_to_second = 0;  // copies of the first individual looking in the second (S1)
    int64_t second_to_first = 0;  // the other way round (S2)
};

// first and second hold the copies of two individuals in descending order (missing copies, 0,
// last) and are used as scratch space; both are in descending order again on return. range: how
// many leading positions take part. Within a direction, each position of the looking array in
// turn picks, among the active copies of the other array in their current order, the first one
// whose difference is strictly below all before it and below 9999 (both copies present); the
// picked copy is swapped to the end of the active part, which then shrinks by one. A match adds
// |a - b|, or its square when squared_cost, held at kStepCap.
MatchingSums closest_allele_matching(std::span<int32_t> first, std::span<int32_t> second, int range,
                                     bool squared_cost);

}  // namespace kelvane
