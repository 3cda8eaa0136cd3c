// marsyl bootstrap: the bootstrap test of every pair of populations for differences in clonal
// diversity, in the dialogue's order of pairs and of draws.
#include <memory>

#include "common/cli/p_adjust_option.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "marsyl/analysis/bootstrap.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_commands.hpp"

namespace marsyl::cli {
namespace {

struct BootstrapOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    clonal::cli::AdjustOption adjust;
    ResamplingOptions resampling;
    analysis::BootstrapSettings settings;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<BootstrapOptions>();
    add_clonal_argument(command, options->clonal);
    add_resampling_options(command, options->resampling, options->settings.permutations,
                           "the number of permutations, the observed data counted as one");
    clonal::cli::add_adjust_option(command, options->adjust);
    clonal::cli::add_common_options(command, options->common);
    command.footer(
        "\nFor each pair (A, B) and index X, p_greater_X is the one-sided p-value of A's X being "
        "greater than B's (small when it is), p_smaller_X of it being smaller.");
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, {options->clonal});
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        clonal::Random random = seeded_random(options->resampling, terminal);
        const analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "bootstrap");
        const analysis::BootstrapResult result =
            analysis::bootstrap(input.data, options->settings, random,
                                watching<analysis::BootstrapWatch>(bar.report()));
        bar.finish();
        clonal::write_tsv(
            analysis::bootstrap_table(input.data, result, options->adjust.adjustment()),
            output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command bootstrap_command() {
    return {"bootstrap",
            "bootstrap tests of every pair of populations for differences in diversity", setup};
}

}  // namespace marsyl::cli
