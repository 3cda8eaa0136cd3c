// marsyl fstat: the clonal data as an FSTAT data file, one locus whose allele is the genotype
// number, exactly as the dialogue's export writes it.
#include <memory>

#include "common/cli/result_files.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_commands.hpp"
#include "marsyl/core/fstat_writer.hpp"

namespace marsyl::cli {
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
        const analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
        write_fstat_records(input.data, input.largest_genotype, output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command fstat_command() {
    return {"fstat", "the clonal data as an FSTAT data file", setup};
}

}  // namespace marsyl::cli
