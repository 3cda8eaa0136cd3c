// The simple AMOVA: the variance of the distances within and among the populations, Phi-st, the
// share among them, and its permutation test, which reassigns the individuals to the populations
// at random. Units: sums of squares and variance components in the units of the distances,
// taken as squared Euclidean distances (distances.hpp); Phi-st, percentages and p-values have
// none. Individuals outside the populations 1 to P take no part.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/amova/amova_permutations.hpp"
#include "kelvane/amova/amova_sample.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane::analysis {

struct AmovaSettings {
    int64_t permutations = 999;  // 0 or more
    bool keep_permuted = false;  // keep the Phi-st of every permutation (for a figure)
};

struct AmovaResult {
    AmovaTable table;
    AmovaPermutationTest test;
    std::vector<double> permuted;  // with keep_permuted: the Phi-st of each permutation, in order
};

// The two steps of the AMOVA, for a face that shows the table before it asks for the test: the
// observed table when made, the test on request. The sample and its pairs are made once.
class Amova {
  public:
    // The matrix must outlive the object. A data set the AMOVA cannot run on leaves refusal()
    // set and nothing else.
    Amova(const DistanceMatrix& matrix, std::span<const int32_t> pop_vector, int32_t n_populations);

    const std::optional<AmovaRefusal>& refusal() const { return refusal_; }
    const AmovaTable& table() const { return table_; }

    // The permutation test of the observed Phi-st, with draws from random in a fixed order;
    // each_value gets every permuted Phi-st in order.
    AmovaPermutationTest test(int64_t permutations, clonal::Random& random,
                              const clonal::WorkSettings& work = {},
                              const PermutedValue& each_value = {}) const;

  private:
    std::optional<AmovaRefusal> refusal_;
    AmovaSample sample_;
    std::optional<SamplePairs> pairs_;
    AmovaTable table_;
};

// Why the AMOVA cannot run on the data (one population, a single individual, one occupied
// population), as an error about the data; or nothing.
std::optional<clonal::FatalError> amova_refusal(const MarkerData& data);

// The AMOVA of the data's populations and its test; amova_refusal's error is thrown.
AmovaResult amova(const MarkerData& data, const DistanceMatrix& matrix,
                  const AmovaSettings& settings, clonal::Random& random,
                  const clonal::WorkSettings& work = {});

// source (within, among, total), df, ss, variance, percent, phi_st, p, p_smaller: Phi-st and its
// p-values in the row among populations (p-values NA without permutations), NA in the others.
clonal::ResultTable amova_result_table(const AmovaResult& result);

}  // namespace kelvane::analysis
