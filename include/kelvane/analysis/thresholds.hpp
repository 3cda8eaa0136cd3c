// The number of clonal genotypes against the threshold: single linkage joins the individuals at
// a distance at or below the threshold, and the number of groups is counted at threshold 0 and
// at every threshold where it changes. Units: the thresholds are distances (see distances.hpp).
#pragma once

#include <vector>

#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/all_thresholds.hpp"
#include "kelvane/grouping/linkage.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::analysis {

// threshold 0 and every threshold at which the number of genotypes changes, down to 1 genotype,
// under single linkage or another rule (linkage.hpp).
std::vector<ThresholdCount> thresholds(const DistanceMatrix& matrix,
                                       Linkage linkage = Linkage::kSingle);

// The same from the distances the input describes (real thresholds on real distances, with
// unrounded); under single linkage on computed whole distances
// (clones.hpp: grouped_by_distinct_genotypes) without an n x n matrix, from a spanning tree of the
// distinct genotypes whose distances are computed a band at a time.
std::vector<ThresholdCount> thresholds(const MarkerData& data, const DistanceInput& distances,
                                       Linkage linkage = Linkage::kSingle,
                                       const clonal::WorkSettings& work = {});

// threshold, genotypes: a row per count; the thresholds as whole numbers, or real ones.
clonal::ResultTable thresholds_table(const std::vector<ThresholdCount>& counts,
                                     bool unrounded = false);

}  // namespace kelvane::analysis
