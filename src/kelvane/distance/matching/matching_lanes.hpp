// The best matchings of one locus genotype against several others at once, one pair per vector
// lane: the programme over sets of columns run on all lanes together, for complete genotypes of a
// few copies whose step costs are all looked up.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvane {

// Pairs matched together.
inline constexpr int kMatchingLanes = 8;

// The copy counts matched in lanes.
inline constexpr int kLaneCopiesFrom = 2;
inline constexpr int kLaneCopiesTo = 6;

// For every lane l: sums[l] = the smallest row-order sum over all matchings of the k copies of
// first with the k copies of seconds[l], the cost of two copies s steps apart being step_costs[s];
// bit for bit what subset_matching_sum gives for the table of those costs. Every copy must be
// present and every step count between them within step_costs; kLaneCopiesFrom <= k <=
// kLaneCopiesTo.
void lane_matching_sums(int k, const int32_t* first, const int32_t* const* seconds,
                        const double* step_costs, double* sums);

using LaneMatchingSums = void (*)(int k, const int32_t* first, const int32_t* const* seconds,
                                  const double* step_costs, double* sums);

// One version of the lanes, for the vector units of some processors.
struct MatchingLanesVersion {
    const char* name;  // "avx512", "avx2" or "plain"
    LaneMatchingSums sums;
};

// The version lane_matching_sums runs: the widest the processor offers.
const MatchingLanesVersion& matching_lanes_version();

// Every version this processor can run, the widest first (for tests that hold each against the
// programme).
std::vector<MatchingLanesVersion> runnable_matching_lanes();

}  // namespace kelvane
