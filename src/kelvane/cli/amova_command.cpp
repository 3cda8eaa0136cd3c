// kelvane amova: the simple AMOVA of the populations and the permutation test of its Phi-st, and
// with --svg the figure of the test.
#include <memory>
#include <vector>

#include "common/cli/cli_errors.hpp"
#include "plot/cli/figure_option.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/results/amova_results.hpp"

namespace kelvane {
namespace {

struct AmovaOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    int32_t permutations = 999;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<AmovaOptions>();
    add_model_options(command, options->data);
    command.add_option("--permutations", options->permutations, "the number of permutations")
        ->check(clonal::cli::whole_number(0))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_figure_option(command, options->figure,
                                   "the Phi-st of the permutations against the observed one");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure places(terminal, options->common, options->figure,
                                           input_files(options->data));
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal);
        if (const auto refusal = amova_refusal(data.pop_vector, data.n_populations)) {
            throw clonal::cli::DataError(refusal_clause(*refusal) + ", " + options->data.data);
        }
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        clonal::cli::record_seeds(terminal, random);
        if (const std::string note = amova_distance_note(options->data); !note.empty()) {
            terminal.err << "kelvane: note: " << note << '\n';
        }
        const AmovaSample sample = amova_sample(data.pop_vector, data.n_populations);
        const SamplePairs pairs(matrix, sample.members);
        const AmovaTable table = observed_amova(pairs, sample);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "permutations");
        // The permuted values are kept only for the figure.
        std::vector<double> permuted;
        PermutedValue keep;
        if (options->figure.wanted()) {
            keep = [&permuted](int64_t, double phi_st) { permuted.push_back(phi_st); };
        }
        const AmovaPermutationTest test =
            amova_permutation_test(pairs, sample, table.phi_st, options->permutations, random,
                                   options->common.threads, keep, bar.report());
        bar.finish();
        places.write(amova_result_table(table, test),
                     [&] { return amova_figure(table.phi_st, permuted); });
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"amova", "the simple AMOVA of the populations with its permutation test", 50, setup}};

}  // namespace
}  // namespace kelvane
