// The genotypes at a threshold or of identical data.
#include "kelvane/analysis/genotype_choice.hpp"

#include "kelvane/analysis/clones.hpp"
#include "kelvane/evidence/genotype_identity.hpp"

namespace kelvane::analysis {

std::vector<int32_t> chosen_genotypes(const MarkerData& data, std::optional<double> threshold,
                                      const DistanceInput& distances,
                                      const clonal::WorkSettings& work) {
    if (threshold) {
        return single_linkage_genotypes(data, distances, *threshold, work).numbers;
    }
    std::vector<int32_t> genotypes = GenotypeIdentity(data).multilocus_genotypes().class_of;
    for (int32_t& genotype : genotypes) {
        ++genotype;
    }
    return genotypes;
}

}  // namespace kelvane::analysis
