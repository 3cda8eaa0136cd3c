// Two-phase distances between partial polyploid genotypes (see PartialGenotypes): per locus the
// best matching sum at the pair's copy count (the larger number of copies observed), divided by
// that count, the copies a partial genotype lacks treated as the model says; the distance is the
// mean over the loci typed in both individuals, from 0 to 1.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The mean times the multiplier, plus 0.5 and truncated. A pair with no locus typed in both has
// no distance: a FatalError of kind kData naming the two individuals.
DistanceResult partial_two_phase_distance(const MarkerData& data, DistanceMatrix& matrix,
                                          const DistanceModel& model,
                                          const DistanceOptions& options = {});

// The means themselves, NaN for a pair with no locus typed in both (fill_real_distances's
// layout).
std::vector<double> partial_two_phase_means(const MarkerData& data, const DistanceModel& model,
                                            const DistanceOptions& options = {});

// The most copies a locus genotype of the data holds.
int32_t most_copies_observed(const MarkerData& data);

}  // namespace kelvane
