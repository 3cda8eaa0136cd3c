// The permutation test of one pair of populations for differentiation.
#include "marsyl/core/differentiation.hpp"

#include "common/core/permutation_counts.hpp"

namespace marsyl {

double differentiation_p_value(PairGStatistic& pair, int32_t permutations, clonal::Random& random,
                               const GObserver& each, const clonal::ProgressReport& progress) {
    const double observed = pair.observed();
    if (each) {
        each(observed);
    }
    // Equal values count as reaching the observed one, so the comparison is exact.
    clonal::PermutationCounts counts;
    for (int32_t r = 1; r < permutations; ++r) {
        const double permuted = pair.permuted(random);
        counts.add(permuted, observed);
        if (each) {
            each(permuted);
        }
        if (progress && r % 256 == 0) {
            progress(static_cast<uint64_t>(r), static_cast<uint64_t>(permutations));
        }
    }
    return counts.p_at_least(permutations);
}

}  // namespace marsyl
