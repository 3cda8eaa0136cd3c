// kelvane thresholds: the number of clonal genotypes at threshold 0 and at every threshold where
// it changes, and with --svg its figure.
#include <memory>

#include "kelvane/analysis/thresholds.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/cli/suggest_options.hpp"
#include "kelvane/figures/thresholds_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace kelvane::cli {
namespace {

struct ThresholdsOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    Linkage linkage = Linkage::kSingle;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ThresholdsOptions>();
    add_model_options(command, options->data);
    add_unrounded_option(command, options->data);
    add_linkage_option(command, options->linkage);
    clonal::cli::add_figure_option(command, options->figure,
                                   "the number of genotypes against the threshold");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure outputs(terminal, options->common, options->figure,
                                            input_files(options->data));
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        std::vector<ThresholdCount> counts;
        with_distance_progress(options->data, data, options->common, terminal,
                               [&](const clonal::WorkSettings& work) {
                                   counts = analysis::thresholds(
                                       data, distance_input(options->data), options->linkage, work);
                               });
        outputs.write(analysis::thresholds_table(counts, options->data.unrounded), [&] {
            return thresholds_figure(counts, distance_unit(options->data, data), {});
        });
    };
}

}  // namespace

clonal::cli::Command thresholds_command() {
    return {"thresholds", "the number of clonal genotypes at every threshold where it changes",
            setup};
}

}  // namespace kelvane::cli
