// The genotyping error rate from replicates: two typings of the same DNA, or of the same ramet,
// that should give the same genotype at every locus. The model: every call is wrong with
// probability e, independently, and a wrong call reads another genotype, so two typings of one
// genotype differ at a locus with probability d = 1 - (1 - e)^2 = 2e - e^2 (two wrong calls that
// agree by chance are neglected). e = 1 - sqrt(1 - d) is estimated from the share of the loci
// called in both typings whose calls differ, with the Wilson score interval of d mapped through
// the same function.
#pragma once

#include <cstdint>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

struct ReplicateComparison {
    int64_t shared_loci = 0;  // loci with a copy in both typings
    int64_t mismatches = 0;   // of them, loci whose copies differ (as multisets)
};

ReplicateComparison compare_replicates(const MarkerData& data, int a, int b);

struct ErrorRate {
    double rate = 0.0;  // NaN without a shared locus
    double lower = 0.0;
    double upper = 0.0;
};

// The error rate per call of mismatches among calls compared, with its interval at level.
ErrorRate error_rate(int64_t mismatches, int64_t compared, double level = 0.95);

}  // namespace kelvane
