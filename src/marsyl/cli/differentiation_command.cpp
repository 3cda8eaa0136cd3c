// marsyl differentiation: the permutation test of every pair of populations for a difference in
// genotype composition, in the dialogue's order of pairs and of draws.
#include <memory>

#include "common/cli/progress_bar.hpp"
#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/core/differentiation.hpp"

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
    add_resampling_options(command, options->resampling, 1000,
                           "the number of permutations, the observed data counted as one");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::Random random = seeded_random(options->resampling, terminal);
        const ClonalInput input = read_clonal_input(options->clonal);
        const clonal::ClonalData& data = input.data;
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "differentiation");
        PairsProgress progress(bar.report(), data.populations);
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"population_a", "population_b", "p"});
            for (int32_t i = 1; i <= data.populations; ++i) {
                for (int32_t j = 1; j < i; ++j) {
                    PairGStatistic pair(data.genotypes[static_cast<std::size_t>(i)],
                                        data.genotypes[static_cast<std::size_t>(j)]);
                    const double p = differentiation_p_value(pair, options->resampling.permutations,
                                                             random, {}, progress.next_pair());
                    tsv.text(data.names[static_cast<std::size_t>(i)])
                        .text(data.names[static_cast<std::size_t>(j)])
                        .real(p);
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
    {"differentiation", "permutation tests of every pair of populations for differentiation", 30,
     setup}};

}  // namespace
}  // namespace marsyl
