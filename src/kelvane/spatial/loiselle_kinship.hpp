// The kinship coefficient of Loiselle et al. (1995) between two individuals, as RClone's
// kinship_Loiselle computes it: over loci l and their alleles a, with p_a the allele's frequency
// among the copies of the individuals given, p_ia the share of i's copies that are a and n_l the
// copies of the locus,
//     F_ij = sum_l sum_a [(p_ia - p_a)(p_ja - p_a) + p_a (1 - p_a) / (n_l - 1)]
//            / sum_l sum_a p_a (1 - p_a).
// A missing copy counts as an allele of its own, as RClone counts its missing code. The sums over
// alleles are taken as shared copies and per-individual terms, so that a pair costs the
// comparisons of its copies.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

class LoiselleKinship {
  public:
    // The individuals given (indices into data) are the population: their allele frequencies.
    LoiselleKinship(const MarkerData& data, const std::vector<int>& members);

    // F between members a and b (positions in members).
    double operator()(int a, int b) const;

  private:
    const MarkerData& data_;
    std::vector<int> members_;
    std::vector<double> own_;            // per member: sum_l sum_a p_ia p_a
    std::vector<double> per_copy_pair_;  // per locus: 1 / (copies of i x copies of j)
    double constant_ = 0.0;              // sum_l (sum_a p_a^2 + sum_a p_a (1 - p_a) / (n_l - 1))
    double divisor_ = 0.0;               // sum_l sum_a p_a (1 - p_a)
};

}  // namespace kelvane
