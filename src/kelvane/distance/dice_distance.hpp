// The Dice distance of presence/absence data: one minus the Dice similarity of the bands two
// individuals show, on a scale of 100 (or 100000).
#pragma once

#include <cstdint>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// absence_code: the allele code of an absent band; a negative code asks for the scale of 100000
// with its absolute value as the code.
DistanceResult dice_distance(const MarkerData& data, DistanceMatrix& matrix, int32_t absence_code,
                             const DistanceOptions& options = {});

}  // namespace kelvane
