// Synthetic marker data for the distance benchmarks: independent individuals (no clones, so no
// genotype repeats for the distance models to share), allele values drawn uniformly.
#pragma once

#include <cstdint>

#include "kelvane/data/marker_data.hpp"

namespace kelvane::bench {

struct SyntheticMarkers {
    int individuals = 1000;
    int ploidy = 2;
    int loci = 10;
    int32_t smallest_allele = 100;
    int32_t largest_allele = 130;
    double missing_share = 0.03;  // each copy is missing with this probability
    // Each locus genotype is partial with this probability: 1 to ploidy - 1 copies observed
    // (a polyploid whose dosage is unknown), the others missing.
    double partial_share = 0.0;
    uint32_t seed = 1;
};

// Every copy drawn independently; the present copies of a genotype fill its first slots.
MarkerData synthetic_markers(const SyntheticMarkers& settings);

}  // namespace kelvane::bench
