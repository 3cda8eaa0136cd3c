// kelvane accumulation: the genotype accumulation curve, the number of distinct genotypes when
// only k of the loci are kept, and with --svg its figure.
#include <memory>

#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "kelvane/analysis/accumulation.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/figures/evidence/accumulation_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace kelvane::cli {
namespace {

struct AccumulationOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    analysis::AccumulationSettings settings;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<AccumulationOptions>();
    // The model options are taken as by every command; no distance is computed here.
    add_model_options(command, options->data);
    command
        .add_option("--draws", options->settings.draws,
                    "random subsets of k loci when there are more than this many subsets of k "
                    "(otherwise every subset is counted)")
        ->check(clonal::cli::setting_check("draws"))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, clonal::cli::start_seeds_help());
    clonal::cli::add_figure_option(command, options->figure,
                                   "the mean genotypes against the loci kept");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure outputs(terminal, options->common, options->figure,
                                            input_files(options->data));
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        clonal::cli::record_seeds(terminal, random);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "loci");
        const analysis::AccumulationResult result = analysis::accumulation(
            data, options->settings, random, {options->common.threads, bar.report()});
        bar.finish();
        outputs.write(analysis::accumulation_table(result),
                      [&] { return accumulation_figure(result.curve, result.genotypes); });
    };
}

}  // namespace

clonal::cli::Command accumulation_command() {
    return {"accumulation", "the number of distinct genotypes when k of the loci are kept", setup};
}

}  // namespace kelvane::cli
