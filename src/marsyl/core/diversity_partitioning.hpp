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

// How the cases without a value are met. The dialogue's arithmetic (the defaults) lets them run
// through the formulas; the tables of the command line and the report define them:
// - a population without individuals has no genotype frequencies: it is left out of the
//   partitioning (which then runs over the populations that hold individuals);
// - diu, the genotypic diversity without the sample-size correction, of a population of one
//   individual is 1 - 1^2 = 0 (the corrected div of one individual does not exist).
struct PartitionRules {
    bool leave_out_empty_populations = false;
    bool diu_of_one_is_zero = false;

    static PartitionRules defined() { return {true, true}; }
};

// largest_genotype is the largest genotype number of the run: the pooled frequencies run over
// every genotype number from 0 to it, present or not.
DiversityResults diversity_results(const clonal::ClonalData& data, int32_t largest_genotype,
                                   const PartitionRules& rules = {});

}  // namespace marsyl
