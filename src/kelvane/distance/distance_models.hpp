// The distance models that fill the distance matrix from the marker data set. Each overwrites
// every off-diagonal cell with the same value at (i, j) and (j, i) and returns kDone, or returns
// kTooLarge, leaving the matrix incomplete, when a distance does not fit a 32-bit integer.
//
// All models work for any maximum ploidy, spread their pairs over the cores of the machine and
// give the same matrix whatever the number of workers.
#pragma once

#include <cstdint>

#include "distance_matrix.hpp"
#include "marker_data.hpp"

namespace kelvane {

enum class DistanceResult { kDone, kTooLarge };

// How a model computes; none of these settings changes a distance.
struct DistanceOptions {
    // Worker threads; 0 or less uses every core the machine reports.
    int threads = 0;
    // Compute each locus result once per pair of distinct genotypes of that locus and share it
    // among all pairs of individuals holding them (clonal data repeat genotypes a lot).
    bool share_locus_results = true;
    // Two-phase model only: pair allele copies by trying every one-to-one pairing instead of the
    // fast exact search. Slow beyond a handful of copies; kept as the reference to measure and
    // test the fast pairing against.
    bool enumerate_pairings = false;
};

// Stepwise mutation model, missing copies not counted; squared: the "Amova-type" distance.
DistanceResult stepwise_not_counted(const MarkerData& data, DistanceMatrix& matrix, bool squared,
                                    const DistanceOptions& options = {});

// Stepwise mutation model, every missing copy counting missing_steps (0 or more) steps.
DistanceResult stepwise_missing_steps(const MarkerData& data, DistanceMatrix& matrix,
                                      int32_t missing_steps, bool squared,
                                      const DistanceOptions& options = {});

// Stepwise mutation model, missing copies replaced by the average allele value of their locus.
DistanceResult stepwise_average_fill(const MarkerData& data, DistanceMatrix& matrix,
                                     const DistanceOptions& options = {});

// Infinite allele model, a missing copy counting as one mutation.
DistanceResult infinite_allele_one(const MarkerData& data, DistanceMatrix& matrix,
                                   const DistanceOptions& options = {});

// Infinite allele model, a missing copy counting missing_mutations (0 or more) mutations.
DistanceResult infinite_allele_steps(const MarkerData& data, DistanceMatrix& matrix,
                                     int32_t missing_mutations,
                                     const DistanceOptions& options = {});

// Dice similarity of presence/absence data, turned into a distance on a scale of 100 (100000
// for a negative absence code).
DistanceResult dice_distance(const MarkerData& data, DistanceMatrix& matrix, int32_t absence_code,
                             const DistanceOptions& options = {});

// Two-phase model scaled by ploidy, with the best one-to-one pairing of allele copies.
DistanceResult two_phase_distance(const MarkerData& data, DistanceMatrix& matrix, int32_t missing,
                                  float base, float multiplier,
                                  const DistanceOptions& options = {});

}  // namespace kelvane
