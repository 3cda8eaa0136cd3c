// The mismatch distance: for a pair of individuals, the share of allele copies that differ among
// the loci called in both. At a locus both carry copies of, the copies are matched one to one,
// identical allele with identical allele, as many as possible (the size of the intersection of
// the two multisets); the locus counts 1 - matched / (the larger number of copies present). The
// distance is the mean over the loci called in both, from 0 to 1. For biallelic diploid
// genotypes g_a, g_b (copies of one allele) a locus counts |g_a - g_b| / 2, so the distance is
// plink 1.9's 1 - IBS. A pair calling fewer loci in common than the model's least number has no
// distance.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// The least number of loci a pair must call in common under the model: its own, or half the
// loci (rounded up, at least 1) when it gives none.
int32_t least_shared_loci(const MarkerData& data, const DistanceModel& model);

// The shares of every pair (i, j < i) at i * (i - 1) / 2 + j, NaN for a pair without a distance.
std::vector<double> mismatch_shares(const MarkerData& data, const DistanceModel& model,
                                    const DistanceOptions& options = {});

// The loci every pair calls in common, in the same order.
std::vector<int32_t> shared_locus_counts(const MarkerData& data,
                                         const DistanceOptions& options = {});

// The matrix of the shares times the model's multiplier, rounded. A pair without a distance is a
// FatalError about the data naming it (the matrix holds no missing value).
DistanceResult mismatch_distance(const MarkerData& data, DistanceMatrix& matrix,
                                 const DistanceModel& model, const DistanceOptions& options = {});

}  // namespace kelvane
