// Which genotypes occur in which populations: for every genotype number the populations that
// hold it and how many of their individuals have it. The table is kept sparse, one entry per
// genotype and population that holds it, since a data set may hold hundreds of thousands of
// genotypes over a hundred populations.
#pragma once

#include <cstdint>
#include <vector>

#include "common/core/clonal_genotype_file.hpp"

namespace marsyl {

struct PopulationCount {
    int32_t population = 0;  // 1 to P
    int32_t count = 0;       // individuals of the genotype in it
};

struct SharedGenotypes {
    std::vector<int32_t> genotypes;  // in increasing order
    // The entries of genotypes[i] are entries[first[i]] to entries[first[i + 1] - 1], in
    // increasing order of population; first has one element more than genotypes.
    std::vector<std::size_t> first;
    std::vector<PopulationCount> entries;

    std::size_t populations_holding(std::size_t genotype_index) const {
        return first[genotype_index + 1] - first[genotype_index];
    }
};

// The genotypes of populations 1 to P that occur in more than one of them, or every genotype
// when every_genotype is set (individuals of population number 0 are left out).
SharedGenotypes shared_genotypes(const clonal::ClonalData& data, bool every_genotype);

}  // namespace marsyl
