// The permutation test of the simple AMOVA. The permutations are drawn one after another from the
// generator, each shuffling the previous one; only the evaluation of the drawn assignments runs
// on several threads, so the results are those of a single thread.
#include "kelvane/amova/amova_permutations.hpp"

#include <algorithm>
#include <vector>

namespace kelvane {
namespace {

// Permutations drawn before they are evaluated together.
constexpr int64_t kPermutationsPerRound = 128;

// The next round of permutations: each one shuffles the one before it.
std::vector<std::vector<int32_t>> draw_permutations(clonal::Random& random,
                                                    std::vector<int32_t>& assignment,
                                                    int64_t count) {
    std::vector<std::vector<int32_t>> drawn(static_cast<std::size_t>(count));
    for (std::vector<int32_t>& permuted : drawn) {
        clonal::shuffle(random, assignment);
        permuted = assignment;
    }
    return drawn;
}

}  // namespace

AmovaTable observed_amova(const SamplePairs& pairs, const AmovaSample& sample) {
    const std::vector<double> within =
        within_sums(pairs, sample.groups, static_cast<int32_t>(sample.group_sizes.size()));
    return amova_table(pairs.total(), within, sample.group_sizes);
}

AmovaPermutationTest amova_permutation_test(const SamplePairs& pairs, const AmovaSample& sample,
                                            double observed, int64_t permutations,
                                            clonal::Random& random, int threads,
                                            const PermutedValue& each_value,
                                            const clonal::ProgressReport& progress) {
    AmovaPermutationTest test;
    test.permutations = permutations;
    std::vector<int32_t> assignment = sample.groups;
    for (int64_t done = 0; done < permutations;) {
        const int64_t round = std::min(kPermutationsPerRound, permutations - done);
        const auto drawn = draw_permutations(random, assignment, round);
        const std::vector<double> permuted =
            permuted_phi_st(pairs, drawn, sample.group_sizes, threads);
        for (const double value : permuted) {
            ++done;
            if (each_value) {
                each_value(done, value);
            }
            test.counts.add(value, observed);
        }
        if (progress) {
            progress(static_cast<uint64_t>(done), static_cast<uint64_t>(permutations));
        }
    }
    return test;
}

}  // namespace kelvane
