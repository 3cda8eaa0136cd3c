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

AutomaticThreshold automatic_threshold_of(const MarkerData& data, const DistanceInput& input,
                                          std::span<const double> values,
                                          std::span<const std::pair<int, int>> replicates) {
    const DistanceModel model = mismatch_model(data, input);
    // Half a differing copy over all loci, in the distances' unit.
    const double floor = 0.5 / static_cast<double>(std::max(data.n_loci, 1)) *
                         (input.unrounded ? 1.0 : static_cast<double>(model.multiplier));
    return automatic_threshold(values, replicates, floor, !input.unrounded);
}

AutomaticThreshold automatic_threshold_of(const MarkerData& data, const DistanceInput& input,
                                          std::span<const std::pair<int, int>> replicates,
                                          const clonal::WorkSettings& work) {
    mismatch_model(data, input);
    const std::vector<double> values = distance_values(data, input, input.unrounded, work);
    return automatic_threshold_of(data, input, values, replicates);
}

}  // namespace kelvane::analysis
