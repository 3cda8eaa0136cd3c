// marsyl pareto: the Pareto index of the clone sizes of every population and of all of them, and
// with --svg the log-log points with their fitted lines.
#include <memory>

#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/analysis/pareto.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_commands.hpp"
#include "marsyl/figures/pareto_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace marsyl::cli {
namespace {

struct ParetoOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ParetoOptions>();
    add_clonal_argument(command, options->clonal);
    clonal::cli::add_figure_option(command, options->figure,
                                   "log10 share against log10 clone size with the fitted lines");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure outputs(terminal, options->common, options->figure,
                                            {options->clonal});
        const analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
        outputs.write(analysis::pareto_table(input.data),
                      [&] { return pareto_figure(input.data); });
    };
}

}  // namespace

clonal::cli::Command pareto_command() {
    return {"pareto", "the Pareto index of the clone sizes of every population", setup};
}

}  // namespace marsyl::cli
