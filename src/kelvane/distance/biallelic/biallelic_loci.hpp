// The loci of a data set that the bit planes of biallelic_sums.hpp compute: those with at most
// two distinct allele values present (and, for the stepwise models, alleles fewer than 9999 steps
// apart, which the closest-allele matching always matches), grouped into chunks of loci that
// share a step cost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/biallelic/biallelic_form.hpp"

namespace kelvane {

// A biallelic locus: its two allele values (lower 0 when only one is present, both 0 when none
// is) and the most copies of each and missing slots that any individual has there.
struct BiallelicLocus {
    int locus = 0;
    int32_t larger = 0;
    int32_t smaller = 0;
    int32_t most_larger = 0;
    int32_t most_smaller = 0;
    int32_t most_missing = 0;
};

// Loci that share a step cost, at most kChunkLoci of them, so that the bit planes of every
// individual over the chunk stay in the processor's cache.
struct BiallelicChunk {
    std::vector<BiallelicLocus> loci;
    int64_t step_cost = 0;
};

inline constexpr std::size_t kChunkLoci = 1024;

struct LociSplit {
    std::vector<BiallelicChunk> chunks;
    std::vector<int> other_loci;  // in ascending order
};

// Splits the loci of the data into chunks of biallelic loci the form computes and the others.
// Data with more than kMostBiallelicSlots slots have no biallelic chunks.
LociSplit split_biallelic_loci(const MarkerData& data, const BiallelicForm& form, int threads);

inline constexpr int32_t kMostBiallelicSlots = 64;

}  // namespace kelvane
