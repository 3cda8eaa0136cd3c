// The sexual floor of the threshold: offspring of random pairs of the data's individuals are
// simulated (two distinct parents drawn uniformly, each passing a random half of its copies at
// every locus, the first parent ceil(P/2) and the second floor(P/2); a haploid offspring takes
// each locus from either parent at random, as recombination does), and the distances between
// offspring show how close genotypes made by sex come. The alpha-quantile of those distances is the
// largest threshold that still keeps sexually produced genotypes apart.
//
// Comparing every pair of many offspring would cost their number squared; instead the offspring
// fall into groups of kOffspringGroup in the order simulated and every pair within a group is
// compared. The offspring are independent, so these pairs are a random sample of the pairs.
#pragma once

#include <cstdint>
#include <optional>

#include "common/core/random.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_models.hpp"

namespace kelvane {

inline constexpr int kOffspringGroup = 16;

// count offspring of the data (at least two individuals), drawn from random in order.
MarkerData sexual_offspring(const MarkerData& data, int64_t count, clonal::Random& random);

struct SexualFloor {
    int64_t distances = 0;  // pairs compared
    // The order statistics at floor(h) and ceil(h), h = alpha (distances - 1) counted from 0:
    // R's quantile(type = 7) lies between them.
    int32_t low = 0;
    int32_t high = 0;
};

// The quantile of the distances between simulated offspring under the model, or nothing with
// fewer than two individuals or two offspring. Groups are spread over up to threads workers
// (0: every core) with results independent of their number. A distance beyond 32 bits throws
// FatalError.
std::optional<SexualFloor> sexual_floor(const MarkerData& data, const DistanceModel& model,
                                        int64_t offspring, double alpha, clonal::Random& random,
                                        int threads);

}  // namespace kelvane
