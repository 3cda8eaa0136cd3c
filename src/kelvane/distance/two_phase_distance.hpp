// The two-phase distance scaled by ploidy: at every locus the copies of two individuals are
// matched one to one so that the sum of copy costs 1 - base^(-steps) is smallest.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The most copy slots a locus genotype may have for the command line's two-phase distance: every
// copy of one individual is matched against every copy of the other, in a table of slots x slots
// costs per thread and an assignment whose work grows with the cube of the slots, so a locus
// genotype of thousands of copies would take gigabytes and days.
inline constexpr int32_t kTwoPhaseSlotLimit = 1024;

// missing: the steps a missing copy stands for (0: not counted, above 9999: infinitely many);
// base: 1 or more; multiplier: the factor before rounding.
DistanceResult two_phase_distance(const MarkerData& data, DistanceMatrix& matrix, int32_t missing,
                                  float base, float multiplier,
                                  const DistanceOptions& options = {});

// The largest difference between two present copies of the data set: the most steps a copy cost
// is wanted for.
int64_t largest_steps(const MarkerData& data);

// The distances before the multiplier and rounding: (S / loci) / copy count, in
// fill_real_distances's layout.
std::vector<double> two_phase_means(const MarkerData& data, int32_t missing, float base,
                                    const DistanceOptions& options = {});

}  // namespace kelvane
