// Reads a VCF or BCF file into a marker data set and says what it holds, for measuring the reader
// alone (wall time and peak memory with /usr/bin/time):
//   vcf_read_tool FILE
#include <iostream>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vcf_read_tool FILE\n";
        return 2;
    }
    try {
        const kelvane::DataRead read =
            kelvane::read_data_path(kelvane::DataFormat::kVcf, argv[1], {}, 0);
        std::cout << read.data.n_individuals << " samples, " << read.data.n_loci << " sites, "
                  << read.data.copies.size() << " copies in "
                  << (read.data.copies.in_bytes() ? "bytes" : "32-bit codes") << "\n";
    } catch (const clonal::FatalError& error) {
        std::cerr << "vcf_read_tool: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
