// The indices of every population of a clonal data set and the partitioning of three of the
// diversities (genotypic diversity, Shannon-Wiener, corrected Shannon-Wiener) into a total, a
// mean within populations and the fraction among populations.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/core/clonal_genotype_file.hpp"
#include "marsyl/core/diversity_indices.hpp"

namespace marsyl {

struct PopulationIndices {
    IndexSet indices;
    double diu;  // genotypic diversity without the sample-size correction
};

// Each entry in the order div, shw, shc.
struct Partitioning {
    std::array<double, 3> total;
    std::array<double, 3> within;
    std::array<double, 3> g_st;
    std::array<double, 3> g_st_corrected;
};

struct DiversityResults {
    std::vector<PopulationIndices> populations;  // populations 1 to P, at positions 0 to P - 1
    Partitioning partitioning;                   // meaningful only for more than one population
};

// largest_genotype is the largest genotype number of the run: the pooled frequencies run over
// every genotype number from 0 to it, present or not.
DiversityResults diversity_results(const clonal::ClonalData& data, int32_t largest_genotype);

}  // namespace marsyl
