// The probability of a locus genotype under random mating at any ploidy, and of a multilocus
// genotype (Pgen). A locus genotype of m copies with every copy typed has the multinomial
// probability m! / prod(c_a!) * prod(p_a^c_a); one with missing copies, whose dosage is then
// unknown, has the sum of that probability over every dosage consistent with what was typed: each
// typed allele at least as many copies as were typed, no allele that was not typed. With each
// allele typed once, that is the probability of the allele phenotype. Diploid genotypes may
// instead take an inbreeding coefficient F.
#pragma once

#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "kelvane/evidence/pascal_triangle.hpp"
#include "kelvane/evidence/psex/allele_frequencies.hpp"

namespace kelvane {

class GenotypeProbability {
  public:
    // ploidy: the copies of every locus genotype, at most kLargestPascalRow.
    explicit GenotypeProbability(int ploidy);

    int ploidy() const { return ploidy_; }

    // The probability of the locus genotype (its copies, 0 for a missing one); nothing when no
    // copy is typed.
    std::optional<double> locus(std::span<const int32_t> copies,
                                const LocusFrequencies& frequencies) const;

    // A diploid locus genotype with inbreeding: p (p + (1 - p) F) for a homozygote (or one typed
    // copy), 2 p q (1 - F) for a heterozygote; nothing when no copy is typed.
    static std::optional<double> diploid_with_fis(std::span<const int32_t> copies,
                                                  const LocusFrequencies& frequencies, double fis);

    // The product over the loci with a typed copy (Pgen). With fis (one value per locus), every
    // locus takes its F and a locus whose F is not a number is left out, as when no copy is typed.
    double multilocus(const MarkerData& data, int individual, const FrequencySet& frequencies,
                      std::span<const double> fis = {}) const;

  private:
    int ploidy_;
    PascalTriangle binomials_;
};

// The typed alleles of a locus genotype, ascending, with the copies of each.
struct TypedAllele {
    int32_t allele;
    int count;
};
std::vector<TypedAllele> typed_alleles(std::span<const int32_t> copies);

}  // namespace kelvane
