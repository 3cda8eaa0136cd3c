// The AMOVA of a sampling design: levels of groups from the strata (regions, populations, sites)
// or the data's populations, optionally the level within individuals (their allele copies taken
// apart) and clone correction; the classical nested table (Excoffier, Smouse and Quattro 1992)
// with a permutation test per level, and Phi-st between every two groups of the lowest level.
// Distances are taken as squared Euclidean distances, as the simple AMOVA takes them (amova.hpp).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/core/p_adjust.hpp"
#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/amova/euclidean_reading.hpp"
#include "kelvane/amova/nested_permutations.hpp"
#include "kelvane/analysis/amova.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/formats/strata_file.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::analysis {

// The strata of a TSV file (strata_file.hpp) for the data's individuals; errors name the file.
Strata strata_file(const std::string& file, const MarkerData& data);

// The regions of the input when it is a GenAlEx sheet with a region block (its populations are
// then named within its regions); nothing otherwise. Errors name the file.
std::optional<Strata> sheet_regions(const DataInput& input);

// Which individuals, or copies, are the units and how they are grouped.
struct AmovaDesign {
    std::vector<std::string> hierarchy;  // levels from the top; empty: the populations
    const Strata* strata = nullptr;      // the strata the levels name (may be null)
    bool populations_within = false;     // the populations are named within the level above
    bool within = false;                 // add the level within individuals
    // Keep the first individual of every genotype within each group of the lowest level: the
    // genotypes of identical data, or at clone_threshold under the distances.
    bool clone_correct = false;
    std::optional<int32_t> clone_threshold;
    // How the distances are read as squared Euclidean distances (euclidean_reading.hpp).
    EuclideanReading euclidean = EuclideanReading::kSqrt;
};

struct NestedAmovaSettings {
    AmovaDesign design;
    int64_t permutations = 999;  // per level
};

struct NestedAmovaResult {
    std::vector<std::string>
        levels;               // the table's levels from the top, "individuals" last with within
    int64_t individuals = 0;  // taking part
    int64_t individuals_before_correction = 0;
    // The square roots of the distances were not Euclidean and the correction's constant was
    // added (cailliez, lingoes).
    bool corrected = false;
    double constant = 0.0;
    // A design of a single level under the sqrt reading: the simple AMOVA.
    std::optional<AmovaResult> one_level;
    NestedTable table;  // otherwise the nested table and its tests
    NestedPermutationTest test;
};

// Errors: those of the hierarchy (hierarchy.hpp); the simple AMOVA's refusals for a single
// level; --within on data of one copy per locus or on an imported matrix.
NestedAmovaResult nested_amova(const MarkerData& data, const DistanceMatrix& matrix,
                               const DistanceInput& distances, const NestedAmovaSettings& settings,
                               clonal::Random& random, const clonal::WorkSettings& work = {});

// What the AMOVA's reading of the input's distances means, in sentences a face shows as notes:
// under sqrt (the reading of the simple AMOVA) whether the distances are taken as squared
// Euclidean though the model does not give squared ones (amova_distance_notes); under none, the
// distances squared; under cailliez and lingoes, whether a constant was added (the result's
// corrected and constant).
std::vector<std::string> amova_distance_notes(const DistanceInput& distances);
std::vector<std::string> reading_notes(const DistanceInput& distances, EuclideanReading reading,
                                       bool corrected, double constant);
// The same for pairwise Phi-st, whose pairs of groups each take their own correction.
std::vector<std::string> pairwise_reading_notes(const DistanceInput& distances,
                                                EuclideanReading reading);

// The simple AMOVA's table (amova_result_table's columns) for a single level under the sqrt
// reading. Otherwise source, df, ss, variance, percent, phi,
// p: a row per level from the top ("among L1", "among L2 within L1", ...), the row within the
// lowest groups ("within LK", or "within individuals") and the total; phi as NestedTable defines
// it, p the test of the row's variance component (NA without permutations and for the total).
clonal::ResultTable nested_amova_table(const NestedAmovaResult& result);

struct PairwisePhiSettings {
    AmovaDesign design;  // within is not taken; a correction is made for each pair's AMOVA
    int64_t permutations = 999;
};

struct PairwisePhi {
    std::string population_a;
    std::string population_b;
    double phi_st = 0.0;
    double p = 0.0;  // NaN without permutations
};

// Phi-st of the simple AMOVA of every two groups of the design's lowest level, in the order of
// the groups (a before b), each with its permutation test, drawn from random pair after pair.
std::vector<PairwisePhi> pairwise_phi(const MarkerData& data, const DistanceMatrix& matrix,
                                      const PairwisePhiSettings& settings, clonal::Random& random,
                                      const clonal::WorkSettings& work = {});

// population_a, population_b, phi_st, p, and p_adjusted after p unless adjustment is kNone.
clonal::ResultTable pairwise_phi_table(const std::vector<PairwisePhi>& pairs,
                                       clonal::PAdjustment adjustment);

}  // namespace kelvane::analysis
