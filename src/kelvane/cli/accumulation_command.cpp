// kelvane accumulation: the number of distinct genotypes when only k of the loci are kept, for
// every k: the genotype accumulation curve, and with --svg its figure.
#include <memory>

#include "plot/cli/figure_option.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/results/evidence/accumulation_results.hpp"

namespace kelvane {
namespace {

struct AccumulationOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    int64_t draws = 1000;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<AccumulationOptions>();
    // The model options are taken as by every command; no distance is computed here.
    add_model_options(command, options->data);
    command
        .add_option("--draws", options->draws,
                    "random subsets of k loci when there are more than this many subsets of k "
                    "(otherwise every subset is counted)")
        ->check(clonal::cli::whole_number(1, 100000000))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_figure_option(command, options->figure,
                                   "the mean genotypes against the loci kept");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure places(terminal, options->common, options->figure,
                                           input_files(options->data));
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal);
        clonal::cli::record_seeds(terminal, random);
        const GenotypeIdentity identity(data);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "loci");
        const std::vector<AccumulationPoint> curve = genotype_accumulation(
            identity, options->draws, random, options->common.threads, bar.report());
        bar.finish();
        places.write(accumulation_table(curve), [&] {
            return accumulation_figure(curve, identity.multilocus_genotypes().count);
        });
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"accumulation", "the number of distinct genotypes when k of the loci are kept", 80, setup}};

}  // namespace
}  // namespace kelvane
