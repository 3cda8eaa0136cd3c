// The stepwise mutation distances: the steps between matched allele copies, summed over loci.
// Each fills every off-diagonal cell with the same value at (i, j) and (j, i).
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// Missing copies not counted; squared: the "Amova-type" distance.
DistanceResult stepwise_not_counted(const MarkerData& data, DistanceMatrix& matrix, bool squared,
                                    const DistanceOptions& options = {});

// Every missing copy counting missing_steps (0 or more) steps.
DistanceResult stepwise_missing_steps(const MarkerData& data, DistanceMatrix& matrix,
                                      int32_t missing_steps, bool squared,
                                      const DistanceOptions& options = {});

// The average of every locus that stepwise_average_fill puts in place of a missing copy: all
// copies summed, divided by the number of present ones, rounded to the nearest integer with
// halves away from zero (0 for a locus without any present copy).
std::vector<int64_t> average_allele_values(const MarkerData& data);

// Missing copies replaced by the average allele value of their locus.
DistanceResult stepwise_average_fill(const MarkerData& data, DistanceMatrix& matrix,
                                     const DistanceOptions& options = {});

}  // namespace kelvane
