// Fuzz target: the Clonal genotype file reader on arbitrary file contents.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/fatal_error.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const clonal::ClonalData clonal_data =
            clonal::read_clonal_file(std::string(reinterpret_cast<const char*>(data), size));
        clonal::raise_largest_genotype(clonal_data, 0);
    } catch (const clonal::FatalError&) {
        // Bad input ends the run with a message; that is the expected outcome.
    }
    return 0;
}
