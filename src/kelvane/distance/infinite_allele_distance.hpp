// The infinite allele distances: per locus, the allele copies of one individual that find no
// identical copy in the other, summed over loci.
#pragma once

#include <cstdint>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// Every copy slot takes part, a missing copy counting as one mutation.
DistanceResult infinite_allele_one(const MarkerData& data, DistanceMatrix& matrix,
                                   const DistanceOptions& options = {});

// A missing copy counting missing_mutations (0 or more) mutations.
DistanceResult infinite_allele_steps(const MarkerData& data, DistanceMatrix& matrix,
                                     int32_t missing_mutations,
                                     const DistanceOptions& options = {});

}  // namespace kelvane
