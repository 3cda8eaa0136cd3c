// What every distance model shares: the outcome of filling the matrix and the settings of how it
// is computed, none of which changes a distance.
#pragma once

#include "common/core/progress.hpp"

namespace kelvane {

// kTooLarge: a distance does not fit a 32-bit integer; the matrix is then incomplete.
enum class DistanceResult { kDone, kTooLarge };

struct DistanceOptions {
    // Worker threads; 0 or less uses every core the machine reports.
    int threads = 0;
    // Compute each locus result once per pair of distinct locus genotypes and share it among all
    // pairs of individuals holding them (clonal data repeat locus genotypes a lot).
    bool share_locus_results = true;
    // Infinite allele and stepwise models: sum the loci with at most two alleles from bit planes
    // of copy counts, 64 loci at a time (see biallelic/biallelic_sums.hpp). false computes them
    // locus by locus like the others: the reference to test and measure the planes against.
    bool biallelic_fast_path = true;
    // Two-phase model only: match allele copies by trying every one-to-one matching instead of
    // the fast exact search. Slow beyond a handful of copies; kept as the reference to measure
    // and test the fast search against.
    bool enumerate_matchings = false;
    // Pairs of individuals done out of all pairs, now and then.
    clonal::ProgressReport progress = {};
};

// Where the sum of a pair's locus results starts: at zero, or at the value the matrix holds below
// its diagonal (the sum over other loci, computed before).
enum class SumStart { kZero, kMatrix };

// The message of the models whose working arrays have no name of their own.
inline constexpr const char* kDistanceMemoryMessage =
    "distance working arrays malloc failed, more memory needed";

}  // namespace kelvane
