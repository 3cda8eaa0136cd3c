// marsyl fstat: the clonal data as an FSTAT data file, one locus whose allele is the genotype
// number, exactly as the dialogue's export writes it.
#include <memory>

#include "common/cli/result_files.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/core/fstat_writer.hpp"

namespace marsyl {
namespace {

struct FstatOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<FstatOptions>();
    add_clonal_argument(command, options->clonal);
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, {options->clonal});
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        const ClonalInput input = read_clonal_input(options->clonal);
        write_fstat_records(input.data, input.largest_genotype, output.stream());
        files.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(), {"fstat", "the clonal data as an FSTAT data file", 50, setup}};

}  // namespace
}  // namespace marsyl
