// The index of association Ia and the standardised rbarD of a sample of individuals, over the
// distance at each locus that counts the differing copies of two individuals (the copies of the
// ploidy less the copies they share; a missing copy is a value like any other, and a pair in
// which either individual has no typed copy at a locus counts 0 there). With D the sum over the
// loci and the variances taken over all pairs (divisor: the number of pairs),
//   Ia = Var(D) / sum_l Var(d_l) - 1,
//   rbarD = (Var(D) - sum_l Var(d_l)) / (2 sum_{j<k} sqrt(Var(d_j) Var(d_k))),
// and the permutation test that shuffles the locus genotypes of each locus independently among
// the individuals, which keeps every Var(d_l) and breaks the associations between loci.
//
// No pair is ever listed: the distance is S - phi(a).phi(b), phi the indicator vector of (value,
// copy number) pairs of a locus genotype of S copies, so sums over all pairs of d_l and of
// d_j d_k are sums over the cells of small tables of counts, in exact integer arithmetic.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "kelvane/data/marker_data.hpp"

namespace kelvane {

struct AssociationTest {
    int64_t individuals = 0;
    double ia = 0.0;     // not a number for fewer than 3 individuals or no variance
    double rbard = 0.0;  // also not a number with fewer than two varying loci
    int64_t permutations = 0;
    // The p-values (count of permuted values at or above the observed one + 1) / (permutations
    // + 1); not a number without permutations or when the index is not a number.
    double p_ia = 0.0;
    double p_rbard = 0.0;
};

// How the sums over pairs of loci are found: over the pairs of loci (tables of counts, for many
// individuals) or over the pairs of individuals (for few individuals at many loci, SNP data);
// both give the same integers and so the same results. kCheaper picks by the work.
enum class CrossProductMethod { kCheaper, kPairsOfLoci, kPairsOfIndividuals };

// The sample: the individuals given, in order. Permutations draw from their own generators,
// seeded from random in order, and run on up to threads workers (0: every core).
AssociationTest association_test(const MarkerData& data, std::span<const int> sample,
                                 int64_t permutations, clonal::Random& random, int threads,
                                 const clonal::ProgressReport& progress = {},
                                 CrossProductMethod method = CrossProductMethod::kCheaper);

}  // namespace kelvane
