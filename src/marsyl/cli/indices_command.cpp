// marsyl indices: the indices of clonal diversity of every population, or with --partition the
// partitioning of diversity among the populations, as the dialogue's first choice computes them;
// with --svg the indices as dot charts.
#include <memory>

#include "common/cli/cli_errors.hpp"
#include "common/cli/figure_option.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/results/indices_results.hpp"

namespace marsyl {
namespace {

struct IndicesOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    bool partition = false;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<IndicesOptions>();
    add_clonal_argument(command, options->clonal);
    command.add_flag("--partition", options->partition,
                     "the partitioning of diversity among the populations instead");
    clonal::cli::add_figure_option(command, options->figure,
                                   "the indices of every population as dot charts");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        if (options->partition && options->figure.wanted()) {
            throw clonal::cli::UsageError(
                "--svg draws the indices of every population; it does not go with --partition");
        }
        clonal::cli::check_destinations(options->common, options->figure);
        const ClonalInput input = read_clonal_input(options->clonal);
        const DiversityResults results = diversity_results(input.data, input.largest_genotype);
        const clonal::ResultTable table = options->partition
                                              ? partitioning_table(input.data, results)
                                              : indices_table(input.data, results);
        clonal::cli::write_table_and_figure(terminal, options->common, table, options->figure,
                                            [&] { return indices_figure(input.data, results); });
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(),
    {"indices", "the indices of clonal diversity of every population", 10, setup}};

}  // namespace
}  // namespace marsyl
