// Rarefied genotype counts against vegan's rarefy(x, sample, se = TRUE) (vegan 2.6-4, R 4; our
// script), the samples whose count cannot vary, and the sums over size classes against the
// definition summed over every pair of clones.
#include "marsyl/core/extended/rarefaction.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "support/clone_size_fixtures.hpp"
#include "support/peer_values.hpp"

namespace marsyl {
namespace {

using testing_support::expect_peer_value;
using testing_support::expect_plain_zero;

void expect_rarefied(const std::vector<int64_t>& sizes, int64_t sample, double expected,
                     double standard_error, const std::string& name) {
    const Rarefaction r = rarefy(spectrum_of_sizes(sizes), sample);
    const std::string what = name + " at " + std::to_string(sample);
    expect_peer_value(expected, r.expected_genotypes, what + " eMLG");
    expect_peer_value(standard_error, r.standard_error, what + " SE");
}

// Plot 1 of vegan's BCI data set: 448 trees of 93 species, as counts per species.
std::vector<int64_t> bci_plot_one() {
    std::vector<int64_t> sizes{25, 24, 22, 21, 18, 17, 15, 14, 14, 13, 13, 12, 12, 11, 11,
                               10, 9,  8,  7,  6,  6,  6,  6,  5,  5,  5,  5,  5,  5,  4,
                               4,  4,  4,  4,  4,  3,  3,  3,  3,  3,  3,  3,  3,  3};
    sizes.insert(sizes.end(), 18, 2);
    sizes.insert(sizes.end(), 31, 1);
    return sizes;
}

TEST(Rarefaction, AgreesWithVegan) {
    const auto seagrass = testing_support::seagrass_clone_sizes();
    expect_rarefied(seagrass, 10, 8.85400481453117294, 0.94205707373023839, "seagrass");
    expect_rarefied(seagrass, 20, 15.9490644490644282, 1.4082114739286458, "seagrass");
    expect_rarefied(seagrass, 39, 27.425, 0.49434299833212969, "seagrass");
    // poppr prints these two as 6.64 0.481 and 3.50 0.584 (Salmon, Vancouver I. East).
    expect_rarefied({3, 2, 2, 1, 1, 1, 1}, 10, 73.0 / 11.0, 0.48104569292083466, "Salmon");
    expect_rarefied({9, 1, 1, 1}, 10, 3.5, 0.58387420812114221, "Vancouver");
    const auto bci = bci_plot_one();
    expect_rarefied(bci, 10, 9.04468526849559673, 0.88172453567407494, "BCI 1");
    expect_rarefied(bci, 50, 32.0321401484523776, 2.6560521036040035, "BCI 1");
    expect_rarefied(bci, 100, 48.2535173315675152, 3.2917245964681143, "BCI 1");
    expect_rarefied(bci, 340, 84.3399185932817943, 2.4703443607795896, "BCI 1");
}

TEST(Rarefaction, SamplesWhoseGenotypeCountCannotVary) {
    const SizeSpectrum seagrass = spectrum_of_sizes(testing_support::seagrass_clone_sizes());
    // The whole population, a single individual, a single clone, no clone mates: exactly 0,
    // where vegan leaves noise such as 8.9e-07 for 10 of 35 singletons.
    for (const auto& [spectrum, sample, expected] :
         {std::tuple{seagrass, int64_t{40}, 28.0}, std::tuple{seagrass, int64_t{1}, 1.0},
          std::tuple{spectrum_of_sizes({12}), int64_t{5}, 1.0},
          std::tuple{spectrum_of_sizes(std::vector<int64_t>(35, 1)), int64_t{10}, 10.0}}) {
        const Rarefaction r = rarefy(spectrum, sample);
        EXPECT_EQ(r.expected_genotypes, expected) << sample;
        expect_plain_zero(r.standard_error, "SE");
    }
    // Fewer individuals than the sample: undefined (poppr would print the observed count).
    const Rarefaction small = rarefy(seagrass, 41);
    EXPECT_TRUE(std::isnan(small.expected_genotypes));
    EXPECT_TRUE(std::isnan(small.standard_error));
}

TEST(Rarefaction, DefaultSizeIsTheSmallestPopulationButAtLeastTen) {
    const auto of_sizes = [](std::vector<int64_t> individuals) {
        std::vector<SizeSpectrum> spectra;
        for (const int64_t n : individuals) {
            spectra.push_back(
                spectrum_of_sizes(std::vector<int64_t>(static_cast<std::size_t>(n), 1)));
        }
        return default_rarefaction_size(spectra);
    };
    EXPECT_EQ(of_sizes({40, 12, 20}), 12);
    EXPECT_EQ(of_sizes({40, 9, 20}), 10);
    EXPECT_EQ(of_sizes({0, 40, 25}), 25);  // a population without individuals does not count
    EXPECT_EQ(of_sizes({}), 10);
}

// The definition term by term: q(m) as the product of (N - n' - k) / (N - k) in long double,
// the variance summed over every pair of clones.
Rarefaction plain_rarefaction(const std::vector<int64_t>& sizes, int64_t sample) {
    int64_t n = 0;
    for (const int64_t s : sizes) {
        n += s;
    }
    const auto q = [&](int64_t m) {
        long double product = 1.0L;
        for (int64_t k = 0; k < m; ++k) {
            product *= n - sample - k <= 0 ? 0.0L
                                           : static_cast<long double>(n - sample - k) /
                                                 static_cast<long double>(n - k);
        }
        return product;
    };
    long double expected = 0.0L;
    long double variance = 0.0L;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const long double qi = q(sizes[i]);
        expected += 1.0L - qi;
        variance += qi * (1.0L - qi);
        for (std::size_t j = 0; j < i; ++j) {
            variance += 2.0L * (q(sizes[i] + sizes[j]) - qi * q(sizes[j]));
        }
    }
    return {static_cast<double>(expected),
            static_cast<double>(std::sqrt(std::max(variance, 0.0L)))};
}

TEST(Rarefaction, SumsOverSizeClassesEqualSumsOverPairsOfClones) {
    std::mt19937 generator(14);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<int64_t> sizes(std::uniform_int_distribution<std::size_t>(2, 40)(generator));
        const int64_t largest = std::uniform_int_distribution<int64_t>(1, 30)(generator);
        int64_t n = 0;
        for (auto& size : sizes) {
            // Mostly small clones, as clonal samples have them.
            const double u = std::uniform_real_distribution<double>(0.0, 1.0)(generator);
            size = 1 + static_cast<int64_t>(u * u * u * static_cast<double>(largest));
            n += size;
        }
        const int64_t sample = std::uniform_int_distribution<int64_t>(1, n)(generator);
        const Rarefaction plain = plain_rarefaction(sizes, sample);
        const Rarefaction fast = rarefy(spectrum_of_sizes(sizes), sample);
        const std::string what = "trial " + std::to_string(trial);
        expect_peer_value(plain.expected_genotypes, fast.expected_genotypes, what + " eMLG");
        // Where the variance is 0 the plain one leaves rounding, whose square root is ~1e-9.
        expect_peer_value(plain.standard_error, fast.standard_error, what + " SE", 1e-6);
    }
}

}  // namespace
}  // namespace marsyl
