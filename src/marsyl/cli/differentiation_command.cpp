// marsyl differentiation: the permutation test of every pair of populations for a difference in
// genotype composition, in the dialogue's order of pairs and of draws.
#include <memory>

#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/results/differentiation_results.hpp"

namespace marsyl {
namespace {

struct DifferentiationOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    ResamplingOptions resampling;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<DifferentiationOptions>();
    add_clonal_argument(command, options->clonal);
    add_resampling_options(command, options->resampling, kDifferentiationPermutations,
                           "the number of permutations, the observed data counted as one");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, {options->clonal});
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        clonal::Random random = seeded_random(options->resampling, terminal);
        const ClonalInput input = read_clonal_input(options->clonal);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "differentiation");
        const clonal::ResultTable table = differentiation_table(
            input.data, options->resampling.permutations, random, bar.report());
        bar.finish();
        write_tsv(table, output.stream());
        files.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(),
    {"differentiation", "permutation tests of every pair of populations for differentiation", 30,
     setup}};

}  // namespace
}  // namespace marsyl
