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

// A model other than mismatch, or an imported matrix, is a SettingError naming {threshold}: for
// a face to refuse auto before any work.
void check_automatic_threshold(const MarkerData& data, const DistanceInput& input);

// From the input's distances in its unit (distance_values, unrounded as the input is), every
// pair (i, j < i) at i * (i - 1) / 2 + j; replicates: pairs of individuals typed twice (may be
// none). Under a model other than mismatch, or an imported matrix, a SettingError naming
// {threshold}; automatic_threshold's errors.
AutomaticThreshold automatic_threshold_of(const MarkerData& data, const DistanceInput& input,
                                          std::span<const double> values,
                                          std::span<const std::pair<int, int>> replicates);

// The same under a model known to be mismatch, its distances unrounded or whole.
AutomaticThreshold automatic_threshold_of(const MarkerData& data, const DistanceModel& model,
                                          bool unrounded, std::span<const double> values,
                                          std::span<const std::pair<int, int>> replicates);

// The distances of the input (distance_values) and the threshold chosen on them, for a grouping
// that reads both.
struct AutomaticDistances {
    std::vector<double> values;
    AutomaticThreshold chosen;
};
AutomaticDistances automatic_distances(const MarkerData& data, const DistanceInput& input,
                                       std::span<const std::pair<int, int>> replicates,
                                       const clonal::WorkSettings& work = {});

}  // namespace kelvane::analysis
