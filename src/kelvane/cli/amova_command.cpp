// kelvane amova: the simple AMOVA of the populations and the permutation test of its Phi-st, and
// with --svg the figure of the test.
#include <memory>

#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "kelvane/analysis/amova.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/figures/amova_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace kelvane::cli {
namespace {

struct AmovaOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    analysis::AmovaSettings settings;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<AmovaOptions>();
    add_model_options(command, options->data);
    command
        .add_option("--permutations", options->settings.permutations, "the number of permutations")
        ->check(clonal::cli::whole_number(0))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, clonal::cli::start_seeds_help());
    clonal::cli::add_figure_option(command, options->figure,
                                   "the Phi-st of the permutations against the observed one");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure places(terminal, options->common, options->figure,
                                           input_files(options->data));
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal);
        if (auto refusal = analysis::amova_refusal(data)) {
            throw *refusal;
        }
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        clonal::cli::record_seeds(terminal, random);
        if (const std::string note = amova_distance_note(options->data); !note.empty()) {
            terminal.err << "kelvane: note: " << note << '\n';
        }
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "permutations");
        analysis::AmovaSettings settings = options->settings;
        // The permuted values are kept only for the figure.
        settings.keep_permuted = options->figure.wanted();
        const analysis::AmovaResult result = analysis::amova(
            data, matrix, settings, random, {options->common.threads, bar.report()});
        bar.finish();
        places.write(analysis::amova_result_table(result),
                     [&] { return amova_figure(result.table.phi_st, result.permuted); });
    };
}

}  // namespace

clonal::cli::Command amova_command() {
    return {"amova", "the simple AMOVA of the populations with its permutation test", setup};
}

}  // namespace kelvane::cli
