// The threshold of clone calls chosen from the data under the mismatch distance: between the
// clone-mate mode (from replicate typings, or the lowest distances) and the distances where
// first-degree relatives begin (evidence/automatic_threshold.hpp gives the rule).
#pragma once

#include <span>
#include <utility>
#include <vector>

#include "common/core/work_settings.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/automatic_threshold.hpp"

namespace kelvane::analysis {

// From the input's distances in its unit (distance_values, unrounded as the input is), every
// pair (i, j < i) at i * (i - 1) / 2 + j; replicates: pairs of individuals typed twice (may be
// none). Under a model other than mismatch, or an imported matrix, a SettingError naming
// {threshold}; automatic_threshold's errors.
AutomaticThreshold automatic_threshold_of(const MarkerData& data, const DistanceInput& input,
                                          std::span<const double> values,
                                          std::span<const std::pair<int, int>> replicates);

// The same computing the distances.
AutomaticThreshold automatic_threshold_of(const MarkerData& data, const DistanceInput& input,
                                          std::span<const std::pair<int, int>> replicates,
                                          const clonal::WorkSettings& work = {});

}  // namespace kelvane::analysis
