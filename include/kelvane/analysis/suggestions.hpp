// The thresholds the data suggest, as the suggest command, the histogram's dashed lines and the
// report show them: one computation for all three, so that they never disagree.
// largest-gap: the first largest gap among the smallest heights at which single linkage merges
// the distinct genotypes; sexual-floor: a quantile of the distances between simulated offspring
// of random pairs of individuals; auto, under the mismatch distance: between the clone-mate mode
// and the distances of first-degree relatives (automatic_threshold.hpp). Units: distances
// (distances.hpp).
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/automatic_threshold.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_models.hpp"
#include "kelvane/evidence/sexual_floor.hpp"
#include "kelvane/grouping/all_thresholds.hpp"
#include "kelvane/grouping/largest_gap.hpp"
#include "kelvane/grouping/linkage.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::analysis {

struct SuggestionSettings {
    double fraction = 0.5;        // largest-gap: the share of the merge heights searched, (0, 1]
    double alpha = 0.01;          // sexual-floor: the quantile of the offspring distances
    int32_t simulations = 10000;  // sexual-floor: offspring simulated (0: none)
    // largest-gap: the rule whose merge heights are searched (complete and average linkage
    // merge at heights rounded up to whole thresholds), and the counts of genotypes.
    Linkage linkage = Linkage::kSingle;
    // auto, under the mismatch distance: replicate typings giving the clone-mate mode (none: the
    // mode of the lowest distances).
    std::vector<std::pair<int, int>> replicates;
};

struct Suggestions {
    std::optional<HeightGap> gap;
    std::optional<SexualFloor> floor;
    std::optional<AutomaticThreshold> automatic;  // under the mismatch distance
    std::vector<ThresholdCount> counts;           // the genotypes at every threshold, for the table
    bool unrounded = false;                       // thresholds and heights of real distances
};

// A fraction, alpha or number of simulations outside its range in the table of setting ranges
// is a SettingError naming the setting.
void check_suggestion_settings(const SuggestionSettings& settings);

// Both suggestions for the data and its matrix. The sexual floor needs the model the matrix was
// computed with; without one (an imported matrix) it is left out. Offspring are drawn from
// random.
Suggestions suggestions(const MarkerData& data, const DistanceMatrix& matrix,
                        const std::optional<DistanceModel>& model,
                        const SuggestionSettings& settings, clonal::Random& random,
                        const clonal::WorkSettings& work = {});

// The same from the distances the input describes; under single linkage on computed distances
// (clones.hpp: grouped_by_distinct_genotypes) without an n x n matrix, from a spanning tree of the
// distinct genotypes whose distances are computed a band at a time. On real distances
// (unrounded) the gap is among real heights, and the sexual floor, which counts whole distances,
// is left out under the two-phase model, whose real distances are on another scale.
Suggestions suggestions(const MarkerData& data, const DistanceInput& distances,
                        const SuggestionSettings& settings, clonal::Random& random,
                        const clonal::WorkSettings& work = {});

// Whether suggestions(data, distances, ...) reads the n x n matrix: on rounded distances, unless
// under single linkage they are taken from the distinct genotypes a band at a time. A face that
// holds the matrix for other analyses as well gives it to them instead.
bool suggestions_read_matrix(const DistanceInput& distances, const SuggestionSettings& settings);

// method (largest-gap, sexual-floor, and auto under the mismatch distance), threshold, genotypes
// (at the threshold), low, high (NA for auto, which lies in no gap of its own); NA for a method
// that gives nothing.
clonal::ResultTable suggestions_table(const Suggestions& suggestions);

}  // namespace kelvane::analysis
