// The Clonal genotype file, the input of marsyl: a title line, the number of populations, their
// names, then pairs of population number and genotype number up to the end of the file. This
// module holds the clonal data set built from it and its reader.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace clonal {

struct ClonalData {
    std::string title;        // the whole first line, with its line end if it had one
    int32_t populations = 0;  // P
    // Indexed by population number 0 to P; entry 0 holds the individuals of population number 0,
    // which are kept but belong to no named population and to no analysis.
    std::vector<std::string> names;
    std::vector<std::vector<int32_t>> genotypes;  // in file order within each population

    int32_t size(int32_t population) const {
        return static_cast<int32_t>(genotypes[static_cast<std::size_t>(population)].size());
    }
};

// Builds the clonal data set from the whole text of a Clonal genotype file, printing the title,
// the number of populations and one line per population on out as it goes. A malformed file or
// a failed allocation throws FatalError with its message.
ClonalData read_clonal_file(const std::string& content, std::ostream& out);

// The largest genotype number of populations 1 to P, or current when that is larger: the
// largest genotype number only ever rises from one loaded file to the next.
int32_t raise_largest_genotype(const ClonalData& data, int32_t current);

}  // namespace clonal
