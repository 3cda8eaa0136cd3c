// marsyl differentiation: the permutation test of every pair of populations for a difference in
// genotype composition, in the dialogue's order of pairs and of draws.
#include <memory>

#include "common/cli/p_adjust_option.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/analysis/differentiation.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_commands.hpp"

namespace marsyl::cli {
namespace {

struct DifferentiationOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    clonal::cli::AdjustOption adjust;
    ResamplingOptions resampling;
    analysis::DifferentiationSettings settings;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<DifferentiationOptions>();
    add_clonal_argument(command, options->clonal);
    add_resampling_options(command, options->resampling, options->settings.permutations,
                           "the number of permutations, the observed data counted as one");
    clonal::cli::add_adjust_option(command, options->adjust);
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, {options->clonal});
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        clonal::Random random = seeded_random(options->resampling, terminal);
        const analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "differentiation");
        const analysis::DifferentiationResult result =
            analysis::differentiation(input.data, options->settings, random,
                                      watching<analysis::DifferentiationWatch>(bar.report()));
        bar.finish();
        clonal::write_tsv(
            analysis::differentiation_table(input.data, result, options->adjust.adjustment()),
            output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command differentiation_command() {
    return {"differentiation", "permutation tests of every pair of populations for differentiation",
            setup};
}

}  // namespace marsyl::cli
