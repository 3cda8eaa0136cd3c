// Clone-size spectra: a worked sample, and the total built by merging the sorted populations
// against the spectrum of the pooled sample.
#include "marsyl/core/extended/size_spectrum.hpp"

#include <gtest/gtest.h>

#include <random>

namespace marsyl {
namespace {

void expect_same(const SizeSpectrum& expected, const SizeSpectrum& actual, const char* what) {
    EXPECT_EQ(expected.individuals, actual.individuals) << what;
    EXPECT_EQ(expected.genotypes, actual.genotypes) << what;
    EXPECT_EQ(expected.classes, actual.classes) << what;
}

TEST(SizeSpectrum, WorkedSample) {
    // Genotype 7 three times, 2 and 900000 twice, 5 once.
    const std::vector<int32_t> sample{7, 2, 900000, 7, 5, 2, 7, 900000};
    const SizeSpectrum spectrum = size_spectrum(sample);
    EXPECT_EQ(spectrum.individuals, 8);
    EXPECT_EQ(spectrum.genotypes, 4);
    EXPECT_EQ(spectrum.classes, (std::vector<SizeClass>{{1, 1}, {2, 2}, {3, 1}}));
}

TEST(SizeSpectrum, TotalOfMergedPopulationsIsThatOfThePooledSample) {
    std::mt19937 generator(3);
    for (int32_t populations = 1; populations <= 9; ++populations) {
        clonal::ClonalData data;
        data.populations = populations;
        data.genotypes.resize(static_cast<std::size_t>(populations) + 1);
        data.genotypes[0] = {1, 2, 2};  // population number 0 belongs to no population
        std::vector<int32_t> pooled;
        for (int32_t p = 1; p <= populations; ++p) {
            // Some populations are empty; genotypes overlap between populations.
            const auto size = std::uniform_int_distribution<int>(0, 60)(generator) % 50;
            for (int i = 0; i < size; ++i) {
                const int32_t genotype = std::uniform_int_distribution<int32_t>(0, 30)(generator);
                data.genotypes[static_cast<std::size_t>(p)].push_back(genotype);
                pooled.push_back(genotype);
            }
        }
        const std::vector<SizeSpectrum> spectra = population_spectra(data);
        ASSERT_EQ(spectra.size(), static_cast<std::size_t>(populations) + 1);
        for (int32_t p = 1; p <= populations; ++p) {
            expect_same(size_spectrum(data.genotypes[static_cast<std::size_t>(p)]),
                        spectra[static_cast<std::size_t>(p - 1)], "population");
        }
        expect_same(size_spectrum(pooled), spectra.back(), "total");
    }
}

}  // namespace
}  // namespace marsyl
