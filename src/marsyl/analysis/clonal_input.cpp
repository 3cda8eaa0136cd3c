// Reading the Clonal genotype file.
#include "marsyl/analysis/clonal_input.hpp"

#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"

namespace marsyl::analysis {

ClonalInput read_clonal_input(const std::string& file) {
    const std::string content = clonal::read_input_file(file);
    ClonalInput input;
    try {
        input.data = clonal::read_clonal_file(content, true);
    } catch (clonal::FatalError& error) {
        throw error.in_file(file);
    }
    input.largest_genotype = clonal::raise_largest_genotype(input.data, 0);
    return input;
}

}  // namespace marsyl::analysis
