// The clonal genotypes at a threshold: single linkage joins individuals at a distance at or below
// it, and each group is one clonal genotype, numbered from 1 in the order of its first
// individual. With missing copies not counted (the default), two individuals that differ only
// where one of them is missing are at distance 0, so an individual with missing data can join,
// and link together, genotypes that identical data keep apart; the result says how often.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/automatic_threshold.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/linkage.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::analysis {

struct ClonesSettings {
    double threshold = 0;                // 0 or more; whole on whole distances
    Linkage linkage = Linkage::kSingle;  // how groups join (linkage.hpp)
    // The threshold chosen from the mismatch distances instead (automatic_threshold.hpp), from
    // these pairs of replicate typings when there are some.
    bool automatic = false;
    std::vector<std::pair<int, int>> replicates;
};

// What missing copies did to the single-linkage genotypes: at threshold 0 against the genotypes of
// identical data (a missing copy equal only to a missing copy), above it against the grouping with
// every missing copy counted as one step.
struct MissingDataEffect {
    int64_t joined = 0;  // individuals with missing copies in a genotype that joined others
    int32_t genotypes_apart = 0;  // the genotypes of the other grouping
};

struct ClonesResult {
    Genotypes genotypes;
    // Nothing when missing copies change nothing: none in the data, a model that counts them
    // (or Dice), an imported matrix, or the same number of genotypes either way.
    std::optional<MissingDataEffect> missing;
    // The threshold chosen, when automatic.
    std::optional<AutomaticThreshold> automatic;
};

// A threshold below 0, not a number (R's NA) or infinite, or one that is not whole on whole
// distances (without unrounded), is a SettingError naming {threshold}: every grouping checks its
// threshold so.
void check_threshold(double threshold, bool unrounded = false);

// The genotypes at the threshold under the matrix the distances gave (whole distances). The
// effect of missing data computes, above threshold 0, the matrix again with missing copies
// counted.
ClonesResult clones(const MarkerData& data, const DistanceMatrix& matrix,
                    const DistanceInput& distances, const ClonesSettings& settings,
                    const clonal::WorkSettings& work = {});

// The same from the distances the input describes. Single linkage on computed distances needs no
// n x n matrix: identical genotypes are collapsed first, and the distances between the distinct
// genotypes are computed a band at a time (memory grows with G x band, not n x n); the result is
// the one the matrix gives. An imported matrix, another linkage, or the stepwise and squared
// distances with missing copies replaced by the locus average (whose averages count every
// individual) take the whole matrix; so do real distances (unrounded), whose result says nothing
// of missing data, and the automatic threshold, which reads every distance.
ClonesResult clones(const MarkerData& data, const DistanceInput& distances,
                    const ClonesSettings& settings, const clonal::WorkSettings& work = {});

// Whether the single-linkage genotypes of the input can come from its distinct genotypes.
bool grouped_by_distinct_genotypes(const DistanceInput& distances);

// The single-linkage genotypes at the threshold alone, the same way: without the n x n matrix
// where grouped_by_distinct_genotypes holds.
Genotypes single_linkage_genotypes(const MarkerData& data, const DistanceInput& distances,
                                   double threshold, const clonal::WorkSettings& work = {});

// individual, population, genotype: a row per individual in input order.
clonal::ResultTable clones_table(const MarkerData& data, const ClonesResult& result);

}  // namespace kelvane::analysis
