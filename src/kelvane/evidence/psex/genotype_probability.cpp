// Genotype probabilities by a sum over dosages: the alleles are taken one after another, and the
// sum for t copies so far is extended by c copies of the next allele with the factor
// C(t + c, c) p^c, which builds m! / prod(c_a!) step by step; O(alleles * m^2) per genotype.
#include "kelvane/evidence/psex/genotype_probability.hpp"

#include <algorithm>

#include "common/core/bug_check.hpp"

namespace kelvane {

std::vector<TypedAllele> typed_alleles(std::span<const int32_t> copies) {
    std::vector<int32_t> sorted;
    for (const int32_t copy : copies) {
        if (copy != 0) {
            sorted.push_back(copy);
        }
    }
    std::sort(sorted.begin(), sorted.end());
    std::vector<TypedAllele> typed;
    for (const int32_t allele : sorted) {
        if (typed.empty() || typed.back().allele != allele) {
            typed.push_back({allele, 0});
        }
        ++typed.back().count;
    }
    return typed;
}

GenotypeProbability::GenotypeProbability(int ploidy) : ploidy_(ploidy), binomials_(ploidy) {
    CLONAL_BUG_CHECK(ploidy >= 1 && ploidy <= kLargestPascalRow);
}

std::optional<double> GenotypeProbability::locus(std::span<const int32_t> copies,
                                                 const LocusFrequencies& frequencies) const {
    const std::vector<TypedAllele> typed = typed_alleles(copies);
    if (typed.empty()) {
        return std::nullopt;
    }
    const int m = ploidy_;
    int typed_copies = 0;
    for (const TypedAllele& allele : typed) {
        typed_copies += allele.count;
    }
    // Copies a data file holds beyond the ploidy cannot occur; they would make the sum empty.
    CLONAL_BUG_CHECK(typed_copies <= m);
    const int unknown = m - typed_copies;
    // sums[t]: the sum over dosages of t copies of the alleles so far of t! / prod(c!) prod(p^c).
    std::vector<double> sums(static_cast<std::size_t>(m) + 1, 0.0);
    std::vector<double> next(sums.size());
    sums[0] = 1.0;
    for (const TypedAllele& allele : typed) {
        const double p = frequencies.of(allele.allele);
        std::fill(next.begin(), next.end(), 0.0);
        for (int t = 0; t <= m; ++t) {
            const double sum = sums[static_cast<std::size_t>(t)];
            if (sum == 0.0) {
                continue;
            }
            double power = std::pow(p, allele.count);
            for (int c = allele.count; c <= allele.count + unknown && t + c <= m; ++c) {
                next[static_cast<std::size_t>(t + c)] += sum * binomials_(t + c, c) * power;
                power *= p;
            }
        }
        std::swap(sums, next);
    }
    return sums[static_cast<std::size_t>(m)];
}

std::optional<double> GenotypeProbability::diploid_with_fis(std::span<const int32_t> copies,
                                                            const LocusFrequencies& frequencies,
                                                            double fis) {
    const std::vector<TypedAllele> typed = typed_alleles(copies);
    if (typed.empty()) {
        return std::nullopt;
    }
    CLONAL_BUG_CHECK(typed.size() <= 2);
    const double p = frequencies.of(typed[0].allele);
    if (typed.size() == 1) {
        return p * (p + (1.0 - p) * fis);
    }
    const double q = frequencies.of(typed[1].allele);
    return 2.0 * p * q * (1.0 - fis);
}

double GenotypeProbability::multilocus(const MarkerData& data, int individual,
                                       const FrequencySet& frequencies,
                                       std::span<const double> fis) const {
    double product = 1.0;
    std::vector<int32_t> copies;
    for (int k = 0; k < data.n_loci; ++k) {
        const auto genotype = data.locus_genotype(individual, k);
        copies.assign(genotype.begin(), genotype.end());
        const LocusFrequencies& at = frequencies.loci[static_cast<std::size_t>(k)];
        std::optional<double> probability;
        if (fis.empty()) {
            probability = locus(copies, at);
        } else if (!std::isnan(fis[static_cast<std::size_t>(k)])) {
            probability = diploid_with_fis(copies, at, fis[static_cast<std::size_t>(k)]);
        }
        if (probability) {
            product *= *probability;
        }
    }
    return product;
}

}  // namespace kelvane
