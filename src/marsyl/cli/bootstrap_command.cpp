// marsyl bootstrap: the bootstrap test of every pair of populations for differences in clonal
// diversity, in the dialogue's order of pairs and of draws.
#include <memory>

#include "common/cli/progress_bar.hpp"
#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/core/bootstrap.hpp"

namespace marsyl {
namespace {

struct BootstrapOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    ResamplingOptions resampling;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<BootstrapOptions>();
    add_clonal_argument(command, options->clonal);
    add_resampling_options(command, options->resampling, 1000,
                           "the number of permutations, the observed data counted as one");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::Random random = seeded_random(options->resampling, terminal);
        const ClonalInput input = read_clonal_input(options->clonal);
        const clonal::ClonalData& data = input.data;
        const int32_t permutations = options->resampling.permutations;
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "bootstrap");
        PairsProgress progress(bar.report(), data.populations);
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"population_a", "population_b", "p_ge_gen", "p_le_gen", "p_ge_eff",
                        "p_le_eff", "p_ge_div", "p_le_div", "p_ge_eve", "p_le_eve", "p_ge_shw",
                        "p_le_shw", "p_ge_shc", "p_le_shc"});
            for (int32_t a = 2; a <= data.populations; ++a) {
                for (int32_t b = 1; b < a; ++b) {
                    const BootstrapPValues p =
                        bootstrap_pair(data.genotypes[static_cast<std::size_t>(a)],
                                       data.genotypes[static_cast<std::size_t>(b)], permutations,
                                       random, {}, progress.next_pair());
                    tsv.text(data.names[static_cast<std::size_t>(a)])
                        .text(data.names[static_cast<std::size_t>(b)]);
                    for (int k = 0; k < kIndexCount; ++k) {
                        tsv.real(p.at_least[k]).real(p.at_most[k]);
                    }
                    tsv.end_row();
                }
            }
        }
        bar.finish();
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(),
    {"bootstrap", "bootstrap tests of every pair of populations for differences in diversity", 20,
     setup}};

}  // namespace
}  // namespace marsyl
