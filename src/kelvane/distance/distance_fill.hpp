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
    // Two-phase model only: match allele copies by trying every one-to-one matching instead of
    // the fast exact search. Slow beyond a handful of copies; kept as the reference to measure
    // and test the fast search against.
    bool enumerate_matchings = false;
    // Pairs of individuals done out of all pairs, now and then.
    clonal::ProgressReport progress = {};
};

// The message of the models whose working arrays have no name of their own.
inline constexpr const char* kDistanceMemoryMessage =
    "ERROR: distance working arrays malloc failed, more memory needed";

}  // namespace kelvane
