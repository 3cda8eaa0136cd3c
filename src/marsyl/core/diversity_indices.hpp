// The index set of clonal diversity of one sample of genotype numbers: number of genotypes,
// effective number, genotypic diversity, evenness and the plain and corrected Shannon-Wiener
// indices, all with base-10 logarithms.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace marsyl {

enum Index { kGen, kEff, kDiv, kEve, kShw, kShc, kIndexCount };

using IndexSet = std::array<double, kIndexCount>;

// Computes index sets over and over without allocating once its buffers have grown. The
// formulas sum over every genotype number from 0 to the largest one; a genotype that is absent
// adds exactly nothing to any sum, so only the genotypes present are visited, in increasing
// order of genotype number, and every value is bit for bit that of the full sum.
class IndexCalculator {
  public:
    IndexSet compute(std::span<const int32_t> genotypes);

  private:
    // The share of one genotype seen count times in the two Shannon-Wiener sums; genotypes seen
    // equally often share it, so it is worked out once per count and call.
    struct Terms {
        double shannon;
        double corrected;
    };
    const Terms& terms_for(int32_t count, double n, double coverage);
    void grow(std::size_t size);

    std::vector<int32_t> sorted_;
    std::vector<int32_t> counts_;  // of the genotypes present, in increasing genotype order
    std::vector<Terms> terms_;     // by count
    std::vector<uint32_t> stamp_;  // by count: the call whose terms terms_ holds
    uint32_t call_ = 0;
};

// The index set of one sample (a calculator of its own for a single use).
IndexSet compute_indices(std::span<const int32_t> genotypes);

}  // namespace marsyl
