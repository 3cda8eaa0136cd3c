// kelvane histogram: the number of pairs in each distance class, the table the dialogue's
// histogram shows, and with --svg its figure.
#include <memory>
#include <optional>

#include "common/cli/cli_errors.hpp"
#include "common/cli/figure_option.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/histogram_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/results/histogram_results.hpp"

namespace kelvane {
namespace {

struct HistogramOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    HistogramClasses histogram;
    std::optional<int32_t> threshold;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<HistogramOptions>();
    add_model_options(command, options->data);
    add_histogram_options(command, options->histogram);
    command
        .add_option("--threshold", options->threshold, "the figure draws a line at this threshold")
        ->check(CLI::NonNegativeNumber);
    clonal::cli::add_figure_option(command, options->figure, "the histogram");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::check_destinations(options->common, options->figure);
        const MarkerData data = read_data(options->data, terminal);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        const DistanceHistogram histogram =
            distance_histogram(matrix, options->histogram.classes, options->histogram.max_distance);
        ThresholdMarks marks;
        if (options->threshold) {
            marks.chosen = *options->threshold;
        }
        // The thresholds of kelvane suggest go into marks.suggested (--suggest, once that
        // command exists) and are drawn as dashed lines.
        clonal::cli::write_table_and_figure(
            terminal, options->common, histogram_table(histogram), options->figure,
            [&] { return histogram_figure(histogram, distance_unit(options->data), marks); });
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(), {"histogram", "the number of pairs in each distance class", 20, setup}};

}  // namespace
}  // namespace kelvane
