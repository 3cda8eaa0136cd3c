// The sums of the mismatch distance over the loci that bit planes hold: loci with at most two
// allele values where every individual holds a copy in every slot or in none (called, or not).
// There the copies two individuals match are the common bits of their copy count planes and the
// loci they both call the common bits of their called masks, counted 64 loci at a time, so SNP
// data of thousands of individuals and tens of thousands of loci take seconds.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/biallelic/biallelic_loci.hpp"
#include "kelvane/distance/distance_fill.hpp"

namespace kelvane {

// The loci of the data that the planes compute, ascending, with their alleles and most copies;
// the others are left to the copies.
std::vector<BiallelicLocus> plane_loci(const MarkerData& data, int threads = 0);

// For every pair (i, j < i) at i * (i - 1) / 2 + j: the loci of `loci` both call and the copies
// they match over them (the locus's share is 1 - matched / slots).
struct PlaneSums {
    std::vector<int32_t> shared;
    std::vector<int64_t> matched;
};

PlaneSums plane_sums(const MarkerData& data, const std::vector<BiallelicLocus>& loci,
                     const DistanceOptions& options);

}  // namespace kelvane
