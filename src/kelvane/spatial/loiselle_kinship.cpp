// Loiselle's kinship coefficient.
#include "kelvane/spatial/loiselle_kinship.hpp"

#include <map>

namespace kelvane {

LoiselleKinship::LoiselleKinship(const MarkerData& data, const std::vector<int>& members)
    : data_(data), members_(members), own_(members.size(), 0.0) {
    for (int locus = 0; locus < data.n_loci; ++locus) {
        std::map<int32_t, double> frequency;
        double copies = 0.0;
        std::size_t slots = 0;
        for (const int i : members) {
            const auto genotype = data.locus_genotype(i, locus);
            slots = genotype.size();
            for (const int32_t copy : genotype) {
                frequency[copy] += 1.0;
                copies += 1.0;
            }
        }
        double squares = 0.0;
        double diversity = 0.0;
        for (auto& [allele, p] : frequency) {
            p /= copies;
            squares += p * p;
            diversity += p * (1.0 - p);
        }
        constant_ += squares + diversity / (copies - 1.0);
        divisor_ += diversity;
        const auto per_copy = 1.0 / static_cast<double>(slots);
        per_copy_pair_.push_back(per_copy * per_copy);
        for (std::size_t m = 0; m < members.size(); ++m) {
            for (const int32_t copy : data.locus_genotype(members[m], locus)) {
                own_[m] += per_copy * frequency[copy];
            }
        }
    }
}

double LoiselleKinship::operator()(int a, int b) const {
    const int i = members_[static_cast<std::size_t>(a)];
    const int j = members_[static_cast<std::size_t>(b)];
    double shared = 0.0;
    for (int locus = 0; locus < data_.n_loci; ++locus) {
        int matches = 0;
        for (const int32_t x : data_.locus_genotype(i, locus)) {
            for (const int32_t y : data_.locus_genotype(j, locus)) {
                matches += x == y ? 1 : 0;
            }
        }
        shared += matches * per_copy_pair_[static_cast<std::size_t>(locus)];
    }
    return (shared - own_[static_cast<std::size_t>(a)] - own_[static_cast<std::size_t>(b)] +
            constant_) /
           divisor_;
}

}  // namespace kelvane
