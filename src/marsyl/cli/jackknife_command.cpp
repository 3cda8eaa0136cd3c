// marsyl jackknife: every index of every population over subsamples of increasing size, with
// its lower and upper limits, in the dialogue's order of draws; with --svg its figure.
#include <memory>

#include "plot/cli/figure_option.hpp"
#include "common/cli/progress_bar.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/results/jackknife_results.hpp"

namespace marsyl {
namespace {

struct JackknifeOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    ResamplingOptions resampling;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<JackknifeOptions>();
    add_clonal_argument(command, options->clonal);
    add_resampling_options(command, options->resampling, kJackknifeSubsamples,
                           "the number of subsamples of every size");
    clonal::cli::add_figure_option(command, options->figure,
                                   "every index against sample size, a line per population");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure places(terminal, options->common, options->figure,
                                           {options->clonal});
        clonal::Random random = seeded_random(options->resampling, terminal);
        ClonalInput input = read_clonal_input(options->clonal);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "jackknife");
        const std::vector<JackknifeCurve> curves =
            jackknife_curves(input.data, options->resampling.permutations, random, bar.report());
        bar.finish();
        places.write(jackknife_table(input.data, curves),
                     [&] { return jackknife_figure(input.data, curves); });
    };
}

const clonal::cli::RegisterCommand kRegistered{
    marsyl_commands(),
    {"jackknife", "every index over subsamples of increasing size, with its limits", 40, setup}};

}  // namespace
}  // namespace marsyl
