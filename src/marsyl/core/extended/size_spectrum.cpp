// Clone-size spectra of samples of genotype numbers.
#include "marsyl/core/extended/size_spectrum.hpp"

#include <algorithm>

namespace marsyl {

SizeSpectrum spectrum_of_sizes(std::vector<int64_t> sizes) {
    std::sort(sizes.begin(), sizes.end());
    SizeSpectrum spectrum;
    for (std::size_t i = 0; i < sizes.size();) {
        std::size_t j = i + 1;
        while (j < sizes.size() && sizes[j] == sizes[i]) {
            ++j;
        }
        if (sizes[i] > 0) {
            const auto clones = static_cast<int64_t>(j - i);
            spectrum.classes.push_back({sizes[i], clones});
            spectrum.individuals += sizes[i] * clones;
            spectrum.genotypes += clones;
        }
        i = j;
    }
    return spectrum;
}

namespace {

// The spectrum of genotype numbers in increasing order.
SizeSpectrum spectrum_of_sorted(std::span<const int32_t> genotypes) {
    std::vector<int64_t> sizes;
    for (std::size_t i = 0; i < genotypes.size();) {
        std::size_t j = i + 1;
        while (j < genotypes.size() && genotypes[j] == genotypes[i]) {
            ++j;
        }
        sizes.push_back(static_cast<int64_t>(j - i));
        i = j;
    }
    return spectrum_of_sizes(std::move(sizes));
}

}  // namespace

SizeSpectrum size_spectrum(std::span<const int32_t> genotypes) {
    std::vector<int32_t> sorted(genotypes.begin(), genotypes.end());
    std::sort(sorted.begin(), sorted.end());
    return spectrum_of_sorted(sorted);
}

std::vector<SizeSpectrum> population_spectra(const clonal::ClonalData& data) {
    // Every population sorted in its own stretch of one array; the total merges the stretches
    // pairwise, which costs log2 P passes where sorting the pooled sample anew would cost more.
    std::vector<std::size_t> bounds{0};
    for (int32_t p = 1; p <= data.populations; ++p) {
        bounds.push_back(bounds.back() + data.genotypes[static_cast<std::size_t>(p)].size());
    }
    std::vector<int32_t> pooled(bounds.back());
    std::vector<SizeSpectrum> spectra;
    for (int32_t p = 1; p <= data.populations; ++p) {
        const auto& genotypes = data.genotypes[static_cast<std::size_t>(p)];
        const auto stretch = pooled.begin() + static_cast<std::ptrdiff_t>(bounds[spectra.size()]);
        std::copy(genotypes.begin(), genotypes.end(), stretch);
        std::sort(stretch, stretch + static_cast<std::ptrdiff_t>(genotypes.size()));
        spectra.push_back(spectrum_of_sorted(
            std::span(pooled).subspan(bounds[spectra.size()], genotypes.size())));
    }
    for (std::size_t width = 1; width + 1 < bounds.size(); width *= 2) {
        for (std::size_t first = 0; first + width + 1 < bounds.size(); first += 2 * width) {
            const std::size_t last = std::min(first + 2 * width, bounds.size() - 1);
            const auto at = [&](std::size_t k) {
                return pooled.begin() + static_cast<std::ptrdiff_t>(bounds[k]);
            };
            std::inplace_merge(at(first), at(first + width), at(last));
        }
    }
    spectra.push_back(spectrum_of_sorted(pooled));
    return spectra;
}

}  // namespace marsyl
