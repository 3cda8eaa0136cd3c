// What every marsyl analysis reads: the Clonal genotype file, the clonal genotype of every
// individual by population.
#pragma once

#include <cstdint>
#include <string>

#include "common/core/clonal_genotype_file.hpp"

namespace marsyl::analysis {

struct ClonalInput {
    clonal::ClonalData data;
    int32_t largest_genotype = 0;  // the largest genotype number, at least 0
};

// The data set of the file. A file that cannot be read is a FatalError of kind kFile; bad content
// names the file and line.
ClonalInput read_clonal_input(const std::string& file);

}  // namespace marsyl::analysis
