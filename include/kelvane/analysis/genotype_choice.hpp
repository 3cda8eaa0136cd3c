// The genotypes an analysis of clone evidence works on: the clonal genotypes at a threshold under
// the distances of the run, or, without a threshold, the genotypes of identical data (every copy
// equal, a missing copy equal only to a missing copy: the peers' multilocus genotypes).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/core/work_settings.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane::analysis {

// The genotype of every individual, numbered from 1 in the order of their first individual. The
// distances are computed only for a threshold (distances.hpp's errors), by single linkage over the
// distinct genotypes where that holds (clones.hpp), without the n x n matrix.
std::vector<int32_t> chosen_genotypes(const MarkerData& data, std::optional<double> threshold,
                                      const DistanceInput& distances,
                                      const clonal::WorkSettings& work = {});

}  // namespace kelvane::analysis
