// marsyl jackknife: every index of every population over subsamples of increasing size, with
// its lower and upper limits, in the dialogue's order of draws; with --svg its figure.
#include <memory>

#include "common/cli/progress_bar.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/analysis/jackknife.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_commands.hpp"
#include "marsyl/figures/jackknife_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace marsyl::cli {
namespace {

struct JackknifeOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    ResamplingOptions resampling;
    analysis::JackknifeSettings settings;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<JackknifeOptions>();
    add_clonal_argument(command, options->clonal);
    add_resampling_options(command, options->resampling, options->settings.subsamples,
                           "the number of subsamples of every size");
    clonal::cli::add_figure_option(command, options->figure,
                                   "every index against sample size, a line per population");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure outputs(terminal, options->common, options->figure,
                                            {options->clonal});
        clonal::Random random = seeded_random(options->resampling, terminal);
        analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "jackknife");
        const std::vector<JackknifeCurve> curves =
            analysis::jackknife(input.data, options->settings, random,
                                watching<analysis::JackknifeWatch>(bar.report()));
        bar.finish();
        outputs.write(analysis::jackknife_table(input.data, curves),
                      [&] { return jackknife_figure(input.data, curves); });
    };
}

}  // namespace

clonal::cli::Command jackknife_command() {
    return {"jackknife", "every index over subsamples of increasing size, with its limits", setup};
}

}  // namespace marsyl::cli
