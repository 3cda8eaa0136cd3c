// Writes a synthetic Clonal genotype file, for runs of marsyl's commands at scale:
//   clonal_file_tool POPULATIONS INDIVIDUALS LARGEST_CODE FILE
// Every population holds INDIVIDUALS individuals drawn from a shared pool of clones of very
// unequal sizes (see marsyl_synthetic.hpp), genotype numbers from 0 to LARGEST_CODE.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "marsyl_synthetic.hpp"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: clonal_file_tool POPULATIONS INDIVIDUALS LARGEST_CODE FILE\n";
        return 2;
    }
    const clonal::ClonalData data = marsyl_bench::synthetic_clonal_data(
        std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]));
    std::vector<int32_t> population_of;
    std::vector<int32_t> genotype_of;
    for (int32_t p = 1; p <= data.populations; ++p) {
        for (const int32_t genotype : data.genotypes[static_cast<std::size_t>(p)]) {
            population_of.push_back(p);
            genotype_of.push_back(genotype);
        }
    }
    std::ofstream out(argv[4], std::ios::binary);
    clonal::write_clonal_file(
        out, data.title, data.populations,
        [&data](int32_t p) { return data.names[static_cast<std::size_t>(p)]; }, population_of,
        genotype_of);
    return out.good() ? 0 : 1;
}
