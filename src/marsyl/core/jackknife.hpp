// The jackknife over increasing sample sizes: for each subsample size, random subsamples without
// replacement are drawn by reordering the population's genotype array in place, and each index
// is summarised by its mean and a lower and an upper limit of its sorted values.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "common/core/progress.hpp"
#include "common/core/random.hpp"
#include "marsyl/core/diversity_indices.hpp"

namespace marsyl {

struct JackknifeRow {
    IndexSet mean;
    IndexSet low;
    IndexSet up;
};

// The values of every index over the subsamples of one size, kept for all sizes.
class JackknifeWorkspace {
  public:
    // Allocates room for the given number of subsamples per size.
    explicit JackknifeWorkspace(int32_t subsamples);

    IndexCalculator calculator;
    std::array<std::vector<double>, kIndexCount> values;
};

// Draws workspace's number of subsamples of the given size from genotypes, each by a partial
// shuffle that leaves the array in its new order for the next subsample, the next size and
// later analyses. With m = n / 20 (rounded down), low is the value at position m of the values
// sorted ascending and up the value at position n - m, or the largest value when m is 0; values
// that are not numbers sort after all numbers.
JackknifeRow jackknife_size(std::span<int32_t> genotypes, int32_t size, clonal::Random& random,
                            JackknifeWorkspace& workspace);

// The jackknife curve of one population: a row per subsample size from 2 to N - 1 (rows[0] is
// size 2), and the indices of the whole sample.
struct JackknifeCurve {
    std::vector<JackknifeRow> rows;
    IndexSet whole;
};

// Progress counts the subsample sizes done.
JackknifeCurve jackknife_population(std::span<int32_t> genotypes, clonal::Random& random,
                                    JackknifeWorkspace& workspace,
                                    const clonal::ProgressReport& progress = {});

}  // namespace marsyl
