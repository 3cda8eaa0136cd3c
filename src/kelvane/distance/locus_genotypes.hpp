// The distinct locus genotypes of every locus and the copy counts of individuals: what the
// distance models need to share work among individuals and to scale by ploidy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// The distinct locus genotypes of one locus. Two individuals share a locus genotype when they
// hold the same copies, in any slot order (missing copies included): every distance model looks
// at a locus only through its copies sorted, so a locus result depends only on the two locus
// genotypes.
struct LocusGenotypes {
    std::vector<int32_t> id_of;           // per individual: its locus genotype, from 0
    std::vector<int32_t> representative;  // per locus genotype: the first individual holding it
};

// The loci shared among up to threads workers (0: every core); the result does not depend on them.
std::vector<LocusGenotypes> distinct_locus_genotypes(const MarkerData& data, int threads);

// Every locus genotype of the data set with its copies in descending order (present copies of
// positive values first, missing ones last), as the distance models look at them.
class DescendingCopies {
  public:
    explicit DescendingCopies(const MarkerData& data);

    std::span<const int32_t> locus_genotype(int individual, int locus) const {
        return std::span<const int32_t>(copies_).subspan(
            (static_cast<std::size_t>(individual) * n_loci_ + static_cast<std::size_t>(locus)) *
                ploidy_,
            ploidy_);
    }

    // How far apart in memory the genotypes of two consecutive individuals at a locus lie: the
    // genotype of individual i + 1 starts stride() copies after that of i.
    std::size_t stride() const { return n_loci_ * ploidy_; }

  private:
    std::size_t n_loci_;
    std::size_t ploidy_;
    std::vector<int32_t> copies_;
};

// Sorts copies in descending order, so that the missing copies (0) of positive allele values
// come last.
void sort_descending(std::span<int32_t> copies);

// The number of present (non-zero) copies of a locus genotype.
int32_t present_copies(std::span<const int32_t> copies);

// Per individual, the largest number of present copies it has at any locus. The copy count of a
// pair of individuals is the larger of their two values.
std::vector<int32_t> most_present_copies(const MarkerData& data);

}  // namespace kelvane
