// The automatic threshold over the distances of a run.
#include "kelvane/analysis/automatic_threshold.hpp"

#include <algorithm>

#include "common/core/fatal_error.hpp"
#include "kelvane/distance/model_catalogue.hpp"

namespace kelvane::analysis {
namespace {

DistanceModel mismatch_model(const MarkerData& data, const DistanceInput& input) {
    const std::optional<DistanceModel> model = input_model(input, data);
    if (!model || model->kind != DistanceKind::kMismatch) {
        throw clonal::SettingError("{setting} auto is chosen on the mismatch distance",
                                   "threshold");
    }
    return *model;
}

}  // namespace

void check_automatic_threshold(const MarkerData& data, const DistanceInput& input) {
    mismatch_model(data, input);
}

AutomaticThreshold automatic_threshold_of(const MarkerData& data, const DistanceInput& input,
                                          std::span<const double> values,
                                          std::span<const std::pair<int, int>> replicates) {
    return automatic_threshold_of(data, mismatch_model(data, input), input.unrounded, values,
                                  replicates);
}

AutomaticThreshold automatic_threshold_of(const MarkerData& data, const DistanceModel& model,
                                          bool unrounded, std::span<const double> values,
                                          std::span<const std::pair<int, int>> replicates) {
    // Half a differing copy over all loci, in the distances' unit.
    const double floor = 0.5 / static_cast<double>(std::max(data.n_loci, 1)) *
                         (unrounded ? 1.0 : static_cast<double>(model.multiplier));
    return automatic_threshold({values.begin(), values.end()}, replicates, floor, !unrounded);
}

AutomaticDistances automatic_distances(const MarkerData& data, const DistanceInput& input,
                                       std::span<const std::pair<int, int>> replicates,
                                       const clonal::WorkSettings& work) {
    mismatch_model(data, input);
    AutomaticDistances result;
    result.values = distance_values(data, input, input.unrounded, work);
    result.chosen = automatic_threshold_of(data, input, result.values, replicates);
    return result;
}

}  // namespace kelvane::analysis
