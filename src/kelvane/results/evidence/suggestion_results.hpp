// The thresholds the data suggest, as the suggest command, the histogram's dashed lines and the
// report show them: one computation for all three, so that they never disagree.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/core/random.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/evidence/sexual_floor.hpp"
#include "kelvane/grouping/all_thresholds.hpp"
#include "kelvane/grouping/largest_gap.hpp"
#include "kelvane/matrix/distance_matrix.hpp"
#include "kelvane/results/threshold_marks.hpp"

namespace kelvane {

struct SuggestionSettings {
    double fraction = 0.5;        // largest-gap: the share of the merge heights searched
    double alpha = 0.01;          // sexual-floor: the quantile of the offspring distances
    int32_t simulations = 10000;  // sexual-floor: offspring simulated (0: none)
};

struct Suggestions {
    std::optional<HeightGap> gap;
    std::optional<SexualFloor> floor;
    std::vector<ThresholdCount> counts;  // the genotypes at every threshold, for the table
};

// Both suggestions for the data and its matrix. The sexual floor needs the model the matrix was
// computed with; without one (an imported matrix) it is left out. Offspring are drawn from
// random; threads as for sexual_floor.
Suggestions suggest_thresholds(const MarkerData& data, const DistanceMatrix& matrix,
                               const DistanceModel* model, const SuggestionSettings& settings,
                               clonal::Random& random, int threads);

// method (largest-gap, sexual-floor), threshold, genotypes (at the threshold), low, high; NA
// for a method that gives nothing.
clonal::ResultTable suggestions_table(const Suggestions& suggestions);

// The suggestions as dashed lines of the distance figures, named by their method.
std::vector<SuggestedThreshold> suggested_marks(const Suggestions& suggestions);

}  // namespace kelvane
