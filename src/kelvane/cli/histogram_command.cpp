// kelvane histogram: the number of pairs in each distance class, the table the dialogue's
// histogram shows, and with --svg its figure.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "kelvane/analysis/histogram.hpp"
#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/histogram_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/cli/suggest_options.hpp"
#include "kelvane/cli/threshold_option.hpp"
#include "kelvane/figures/evidence/suggestion_marks.hpp"
#include "kelvane/figures/histogram_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace kelvane::cli {
namespace {

struct HistogramOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    analysis::HistogramSettings histogram;
    std::optional<double> threshold;
    bool suggest = false;
    analysis::SuggestionSettings suggestion;
    std::string replicates;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<HistogramOptions>();
    add_model_options(command, options->data);
    add_unrounded_option(command, options->data);
    add_histogram_options(command, options->histogram);
    command
        .add_option("--threshold", options->threshold, "the figure draws a line at this threshold")
        ->check(clonal::cli::setting_check("threshold"));
    CLI::Option* suggest_flag = command.add_flag(
        "--suggest", options->suggest,
        "the figure draws a dashed line at each threshold kelvane suggest gives, with the "
        "options below");
    for (CLI::Option* option : add_suggest_options(command, options->suggestion)) {
        option->needs(suggest_flag);
    }
    add_replicates_option(command, options->replicates, "auto (--suggest, --distance mismatch)")
        ->needs(suggest_flag);
    clonal::cli::add_seed_option(command, options->seeds,
                                 clonal::cli::start_seeds_help("; with --suggest"));
    clonal::cli::add_figure_option(command, options->figure, "the histogram");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure outputs(
            terminal, options->common, options->figure,
            with_replicates(input_files(options->data), options->replicates));
        if (!options->suggest && !options->seeds.text.empty()) {
            throw clonal::cli::UsageError("--seed goes with --suggest");
        }
        analysis::check_suggestion_settings(options->suggestion);
        analysis::check_histogram_settings(options->histogram, options->data.unrounded);
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        options->suggestion.replicates = replicates_of(options->replicates, data);
        // The histogram and the suggestions work from the distinct genotypes where they can;
        // otherwise both read one matrix.
        const DistanceInput input = distance_input(options->data);
        const bool from_matrix =
            options->suggest && analysis::suggestions_read_matrix(input, options->suggestion);
        std::optional<DistanceMatrix> matrix;
        analysis::DistanceHistogram histogram;
        if (from_matrix) {
            matrix.emplace(distance_matrix(options->data, data, options->common, terminal));
            histogram = analysis::histogram(*matrix, options->histogram);
        } else {
            with_distance_progress(options->data, data, options->common, terminal,
                                   [&](const clonal::WorkSettings& work) {
                                       histogram = analysis::histogram(data, input,
                                                                       options->histogram, work);
                                   });
        }
        if (histogram.beyond > 0) {
            terminal.err << "kelvane: note: " << analysis::beyond_text(histogram)
                         << " (--max-distance)\n";
        }
        ThresholdMarks marks;
        if (options->threshold) {
            marks.chosen = *options->threshold;
        }
        if (from_matrix) {
            clonal::cli::record_seeds(terminal, random);
            marks.suggested = suggested_marks(
                analysis::suggestions(data, *matrix, input_model(options->data, data),
                                      options->suggestion, random, {options->common.threads, {}}));
        } else if (options->suggest) {
            marks.suggested = suggested_marks(suggestions_of(
                options->data, options->suggestion, data, options->common, random, terminal));
        }
        outputs.write(analysis::histogram_table(histogram), [&] {
            return histogram_figure(histogram, distance_unit(options->data, data), marks);
        });
    };
}

}  // namespace

clonal::cli::Command histogram_command() {
    return {"histogram", "the number of pairs in each distance class", setup};
}

}  // namespace kelvane::cli
