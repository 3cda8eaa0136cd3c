// The index of association Ia and its standardised form rbarD, of every population and of all
// individuals, with the permutation test that shuffles each locus's genotypes among the
// individuals. Ia and rbarD have no unit; p-values are (permuted values at or above the observed
// one + 1) / (permutations + 1).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/association_index.hpp"

namespace kelvane::analysis {

struct AssociationSettings {
    int64_t permutations = 999;  // 0 to 100,000,000
    // Keep only the first individual of each genotype in each population: the genotypes at the
    // threshold under the distances (genotype_choice.hpp), or of identical data without one.
    bool clone_correct = false;
    std::optional<double> threshold;  // only with clone_correct
};

struct AssociationResult {
    std::vector<AssociationTest> populations;  // populations 1 to P, in order
    AssociationTest total;                     // all individuals (clone-corrected as above)
};

// Permutations out of their range, or a threshold without clone_correct, are a SettingError
// naming the setting.
void check_association_settings(const AssociationSettings& settings);

// Draws from random: the populations in order, then the total (a population that holds every
// individual is the total, tested once). check_association_settings's error is thrown.
AssociationResult association(const MarkerData& data, const AssociationSettings& settings,
                              const DistanceInput& distances, clonal::Random& random,
                              const clonal::WorkSettings& work = {});

// population, n, ia, rbard, p_ia, p_rbard: a row per population, then "total".
clonal::ResultTable association_table(const MarkerData& data, const AssociationResult& result);

// Ia and rbarD of two loci over the total's sample (clone-corrected as the settings say), as
// poppr's pair.ia gives them for every pair of loci.
struct LocusPairAssociation {
    int locus_a = 0;
    int locus_b = 0;  // after locus_a in the data
    AssociationTest test;
};

// Every pair of loci, a before b, in the order (0, 1), (0, 2), ..., (1, 2), ...; each pair's
// permutations draw from random in turn.
std::vector<LocusPairAssociation> locus_pair_association(const MarkerData& data,
                                                         const AssociationSettings& settings,
                                                         const DistanceInput& distances,
                                                         clonal::Random& random,
                                                         const clonal::WorkSettings& work = {});

// locus_a, locus_b, n, ia, rbard, p_ia, p_rbard: a row per pair of loci.
clonal::ResultTable locus_pair_table(const MarkerData& data,
                                     const std::vector<LocusPairAssociation>& pairs);

}  // namespace kelvane::analysis
