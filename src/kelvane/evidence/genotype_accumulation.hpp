// The genotype accumulation curve: how many distinct genotypes (identical data) the individuals
// show when only k of the L loci are kept, for k = 1 to L. Every subset of k loci is counted
// when there are at most `draws` of them (the exact curve); otherwise the subset of k loci is the
// first k loci of each of `draws` random orders of the loci (uniform subsets, independent from one
// order to the next, a subset may recur), one order serving every k, so that a curve over many
// loci costs draws x loci x individuals.
#pragma once

#include <cstdint>
#include <vector>

#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "kelvane/evidence/genotype_identity.hpp"

namespace kelvane {

struct AccumulationPoint {
    int loci = 0;
    int64_t subsets = 0;  // counted
    bool exact = false;   // every subset counted
    double mean = 0.0;
    double sd = 0.0;  // with divisor subsets - 1; not a number for one subset
    int32_t min = 0;
    int32_t max = 0;
};

// Each random order draws from its own generator, seeded from random in order before any is
// drawn; counting is spread over up to threads workers (0: every core) with results independent
// of their number.
std::vector<AccumulationPoint> genotype_accumulation(const GenotypeIdentity& identity,
                                                     int64_t draws, clonal::Random& random,
                                                     int threads,
                                                     const clonal::ProgressReport& progress = {});

// The number of subsets of k of n items, or limit + 1 when it exceeds limit.
int64_t subsets_up_to(int n, int k, int64_t limit);

}  // namespace kelvane
