// The nested AMOVA of a sample and its permutation tests: the variance component of each level
// tested by permuting the groups one level below it among its groups within those of the level
// above (the individuals, or copies, below the lowest level), and the component within the lowest
// groups by permuting the units freely, smaller values counting against it.
#pragma once

#include <cstdint>
#include <vector>

#include "common/core/permutation_counts.hpp"
#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "kelvane/amova/amova_sums.hpp"
#include "kelvane/amova/nested_design.hpp"
#include "kelvane/amova/nested_table.hpp"

namespace kelvane {

struct NestedObserved {
    std::vector<double> within;             // [l] for level l, 0 the whole sample (nested_table)
    std::vector<std::vector<double>> sums;  // [l]: the pair sum of each group of level l + 1
    NestedTable table;
};

// pairs holds the units in the design's order of places: whole distances, or real values.
NestedObserved observed_nested_amova(const SamplePairs& pairs, const NestedDesign& design);
NestedObserved observed_nested_amova(const RealPairs& pairs, const NestedDesign& design);

struct NestedPermutationTest {
    int64_t permutations = 0;
    std::vector<clonal::PermutationCounts> counts;  // rows 0 to K of the table

    // Levels: the share of values at least the observed one; the within row: at most.
    double p(int row) const {
        const int64_t values = permutations + 1;
        return row + 1 < static_cast<int>(counts.size())
                   ? counts[static_cast<std::size_t>(row)].p_at_least(values)
                   : counts.back().p_at_most(values);
    }
};

// The tests of the rows from the top down, permutations each, drawn from random in that order
// (each permutation shuffling the one before) and evaluated on up to threads workers (0: every
// core) with results independent of their number.
NestedPermutationTest nested_permutation_test(const SamplePairs& pairs, const NestedDesign& design,
                                              const NestedObserved& observed, int64_t permutations,
                                              clonal::Random& random, int threads = 0,
                                              const clonal::ProgressReport& progress = {});
NestedPermutationTest nested_permutation_test(const RealPairs& pairs, const NestedDesign& design,
                                              const NestedObserved& observed, int64_t permutations,
                                              clonal::Random& random, int threads = 0,
                                              const clonal::ProgressReport& progress = {});

}  // namespace kelvane
