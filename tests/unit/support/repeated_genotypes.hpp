// Random marker data of clonal shape for the grouping tests: individuals drawn from fewer
// genotypes of 4 loci (every third genotype with a missing copy), each with its copies shuffled,
// and with step above 0 that share of them with one copy a step away (a chain of near genotypes).
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "support/distance_test_data.hpp"

namespace kelvane::testing {

struct ClonalShape {
    int genotypes = 18;
    int individuals = 70;
    int32_t largest_allele = 106;  // alleles from 100
    double step = 0;
};

inline MarkerData repeated_genotypes(std::mt19937& generator, int32_t ploidy,
                                     const ClonalShape& shape = {}) {
    std::uniform_int_distribution<int32_t> allele(100, shape.largest_allele);
    std::uniform_int_distribution<int> draw(0, shape.genotypes - 1);
    std::bernoulli_distribution step(shape.step);
    std::vector<Individual> genotypes;
    for (int g = 0; g < shape.genotypes; ++g) {
        Individual genotype;
        for (int k = 0; k < 4; ++k) {
            Genotype copies;
            for (int c = 0; c < ploidy; ++c) {
                copies.push_back(g % 3 == 0 && k == g % 4 && c == 0 ? 0 : allele(generator));
            }
            genotype.push_back(copies);
        }
        genotypes.push_back(genotype);
    }
    std::vector<Individual> individuals;
    for (int i = 0; i < shape.individuals; ++i) {
        Individual individual = genotypes[static_cast<std::size_t>(draw(generator))];
        if (shape.step > 0 && step(generator) && individual[1][1] != 0) {
            ++individual[1][1];
        }
        for (Genotype& copies : individual) {
            std::shuffle(copies.begin(), copies.end(), generator);
        }
        individuals.push_back(individual);
    }
    return markers(ploidy, individuals);
}

}  // namespace kelvane::testing
