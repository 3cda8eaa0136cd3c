// Genotype probabilities at any ploidy: worked tetraploid values (exact fractions), and the
// property that the probabilities of all phenotypes of a locus, and of all its fully typed
// genotypes, sum to 1 at every ploidy.
#include "kelvane/evidence/psex/genotype_probability.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace kelvane {
namespace {

// Alleles 1 (A), 2 (B), 3 (C) with p = 1/2, 3/10, 1/5.
const LocusFrequencies kFrequencies{{1, 2, 3}, {0.5, 0.3, 0.2}};

double probability(int ploidy, const std::vector<int32_t>& copies,
                   const LocusFrequencies& frequencies = kFrequencies) {
    return *GenotypeProbability(ploidy).locus(copies, frequencies);
}

TEST(GenotypeProbability, TetraploidPhenotypesAndDosages) {
    // One copy of each allele shown, the rest missing: the phenotype.
    EXPECT_NEAR(probability(4, {1, 0, 0, 0}), 1.0 / 16.0, 1e-15);
    EXPECT_NEAR(probability(4, {2, 0, 0, 0}), 81.0 / 10000.0, 1e-15);
    EXPECT_NEAR(probability(4, {1, 2, 0, 0}), 339.0 / 1000.0, 1e-15);
    EXPECT_NEAR(probability(4, {1, 3, 0, 0}), 22.0 / 125.0, 1e-15);
    EXPECT_NEAR(probability(4, {2, 3, 0, 0}), 33.0 / 625.0, 1e-15);
    EXPECT_NEAR(probability(4, {1, 2, 3, 0}), 9.0 / 25.0, 1e-15);
    // Every copy typed: the multinomial.
    EXPECT_NEAR(probability(4, {1, 1, 2, 2}), 27.0 / 200.0, 1e-15);
    EXPECT_NEAR(probability(4, {1, 1, 1, 2}), 3.0 / 20.0, 1e-15);
    EXPECT_NEAR(probability(4, {2, 1, 2, 2}), 27.0 / 500.0, 1e-15);
    EXPECT_NEAR(probability(4, {1, 3, 1, 2}), 9.0 / 50.0, 1e-15);
    // A, A, B typed and one copy missing: AAAB or AABB.
    EXPECT_NEAR(probability(4, {1, 1, 2, 0}), 57.0 / 200.0, 1e-15);
    // The peers' diploid and haploid values.
    EXPECT_NEAR(probability(2, {1, 2}), 2 * 0.5 * 0.3, 1e-15);
    EXPECT_NEAR(probability(2, {3, 3}), 0.2 * 0.2, 1e-15);
    EXPECT_NEAR(probability(2, {3, 0}), 0.2 * 0.2, 1e-15);
    EXPECT_NEAR(probability(1, {2}), 0.3, 1e-15);
    EXPECT_FALSE(GenotypeProbability(4).locus(std::vector<int32_t>{0, 0, 0, 0}, kFrequencies));
}

TEST(GenotypeProbability, DiploidWithInbreeding) {
    const std::vector<int32_t> homozygote{2, 2};
    const std::vector<int32_t> heterozygote{1, 3};
    EXPECT_NEAR(*GenotypeProbability::diploid_with_fis(homozygote, kFrequencies, 0.25),
                0.3 * (0.3 + 0.7 * 0.25), 1e-15);
    EXPECT_NEAR(*GenotypeProbability::diploid_with_fis(heterozygote, kFrequencies, 0.25),
                2 * 0.5 * 0.2 * 0.75, 1e-15);
}

// Calls visit with every multiset of `size` allele indices below `alleles`, as counts.
void every_dosage(int alleles, int size, const std::function<void(std::vector<int>&)>& visit) {
    std::vector<int> counts(static_cast<std::size_t>(alleles), 0);
    std::function<void(int, int)> place = [&](int allele, int left) {
        if (allele == alleles - 1) {
            counts[static_cast<std::size_t>(allele)] = left;
            visit(counts);
            return;
        }
        for (int c = 0; c <= left; ++c) {
            counts[static_cast<std::size_t>(allele)] = c;
            place(allele + 1, left - c);
        }
    };
    place(0, size);
}

TEST(GenotypeProbability, PhenotypesAndGenotypesOfALocusSumToOneAtEveryPloidy) {
    std::mt19937 engine(13);
    for (int round = 0; round < 40; ++round) {
        const int alleles = 2 + round % 4;
        const int ploidy = 1 + round % 7;
        LocusFrequencies frequencies;
        double sum = 0.0;
        for (int a = 0; a < alleles; ++a) {
            frequencies.alleles.push_back(10 * (a + 1));
            frequencies.frequencies.push_back(
                std::uniform_real_distribution<double>(0.05, 1.0)(engine));
            sum += frequencies.frequencies.back();
        }
        for (double& p : frequencies.frequencies) {
            p /= sum;
        }
        const GenotypeProbability model(ploidy);
        // Phenotypes: every non-empty set of alleles with at most `ploidy` members, shown once.
        double phenotypes = 0.0;
        for (int set = 1; set < (1 << alleles); ++set) {
            std::vector<int32_t> copies(static_cast<std::size_t>(ploidy), 0);
            int shown = 0;
            for (int a = 0; a < alleles; ++a) {
                if ((set >> a & 1) != 0 && shown < ploidy) {
                    copies[static_cast<std::size_t>(shown)] =
                        frequencies.alleles[static_cast<std::size_t>(a)];
                }
                shown += set >> a & 1;
            }
            if (shown <= ploidy) {
                phenotypes += *model.locus(copies, frequencies);
            }
        }
        EXPECT_NEAR(phenotypes, 1.0, 1e-12) << "ploidy " << ploidy << ", alleles " << alleles;
        double genotypes = 0.0;
        every_dosage(alleles, ploidy, [&](std::vector<int>& counts) {
            std::vector<int32_t> copies;
            for (int a = 0; a < alleles; ++a) {
                copies.insert(copies.end(),
                              static_cast<std::size_t>(counts[static_cast<std::size_t>(a)]),
                              frequencies.alleles[static_cast<std::size_t>(a)]);
            }
            genotypes += *model.locus(copies, frequencies);
        });
        EXPECT_NEAR(genotypes, 1.0, 1e-12) << "ploidy " << ploidy << ", alleles " << alleles;
    }
}

}  // namespace
}  // namespace kelvane
