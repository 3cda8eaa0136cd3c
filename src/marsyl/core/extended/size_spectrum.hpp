// The clone sizes of a sample kept as their spectrum: every distinct clone size with the number
// of clones of that size. The statistics of the clone-size distribution (clonal richness,
// Shannon, Simpson and their evenness, rarefaction, the Pareto fit) depend on a sample only
// through it, and N individuals have at most about sqrt(2N) distinct clone sizes, so that work
// over pairs of sizes stays small where work over pairs of clones would not.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/core/clonal_genotype_file.hpp"

namespace marsyl {

struct SizeClass {
    int64_t size = 0;    // individuals in each clone of the class
    int64_t clones = 0;  // clones of that size

    bool operator==(const SizeClass&) const = default;
};

struct SizeSpectrum {
    int64_t individuals = 0;         // N
    int64_t genotypes = 0;           // G, the number of clones
    std::vector<SizeClass> classes;  // in increasing order of size, every size at least 1
};

// The spectrum of a list of clone sizes (zeros are clones absent from the sample).
SizeSpectrum spectrum_of_sizes(std::vector<int64_t> sizes);

// The spectrum of a sample of genotype numbers: a clone is a genotype number, its size how
// often the sample holds it.
SizeSpectrum size_spectrum(std::span<const int32_t> genotypes);

// The spectra of populations 1 to P at positions 0 to P - 1, then that of all of them pooled
// (the total; individuals of population number 0 belong to no population and are left out).
std::vector<SizeSpectrum> population_spectra(const clonal::ClonalData& data);

}  // namespace marsyl
