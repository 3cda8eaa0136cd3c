// kelvane thresholds: the number of clonal genotypes at threshold 0 and at every threshold where
// it changes, and with --svg its figure.
#include <memory>

#include "plot/cli/figure_option.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/results/threshold_results.hpp"

namespace kelvane {
namespace {

struct ThresholdsOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ThresholdsOptions>();
    add_model_options(command, options->data);
    clonal::cli::add_figure_option(command, options->figure,
                                   "the number of genotypes against the threshold");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure places(terminal, options->common, options->figure,
                                           input_files(options->data));
        const MarkerData data = read_data(options->data, terminal);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        const std::vector<ThresholdCount> counts = genotype_counts(matrix);
        places.write(thresholds_table(counts),
                     [&] { return thresholds_figure(counts, distance_unit(options->data), {}); });
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"thresholds", "the number of clonal genotypes at every threshold where it changes", 30,
     setup}};

}  // namespace
}  // namespace kelvane
