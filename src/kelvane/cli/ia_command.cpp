// kelvane ia: the index of association Ia and rbarD of every population and of all individuals,
// with the permutation test that shuffles each locus's genotypes among the individuals; with
// --pairs, of every pair of loci over all individuals.
#include <memory>

#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/association.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"

namespace kelvane::cli {
namespace {

struct IaOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    analysis::AssociationSettings settings;
    bool pairs = false;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<IaOptions>();
    add_model_options(command, options->data);
    add_unrounded_option(command, options->data);
    command
        .add_option("--permutations", options->settings.permutations, "the number of permutations")
        ->check(clonal::cli::setting_check("permutations"))
        ->capture_default_str();
    command.add_flag("--clone-correct", options->settings.clone_correct,
                     "keep only the first individual of each genotype in each population");
    command
        .add_option("--threshold", options->settings.threshold,
                    "with --clone-correct: genotypes are the clonal genotypes at this threshold "
                    "under the model options (default: identical data)")
        ->check(clonal::cli::setting_check("threshold"));
    command.add_flag("--pairs", options->pairs,
                     "Ia and rbarD of every pair of loci over all individuals instead (columns "
                     "locus_a, locus_b, n, ia, rbard, p_ia, p_rbard)");
    clonal::cli::add_seed_option(command, options->seeds, clonal::cli::start_seeds_help());
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        analysis::check_association_settings(options->settings);
        clonal::Random random = seeded_random(options->seeds);
        const clonal::Random start = random;
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "permutations");
        const clonal::ResultTable table =
            options->pairs
                ? analysis::locus_pair_table(
                      data, analysis::locus_pair_association(data, options->settings,
                                                             distance_input(options->data), random,
                                                             {options->common.threads, {}}))
                : analysis::association_table(
                      data,
                      analysis::association(data, options->settings, distance_input(options->data),
                                            random, {options->common.threads, bar.report()}));
        bar.finish();
        clonal::cli::record_seeds(terminal, start);
        clonal::write_tsv(table, output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command ia_command() {
    return {"ia", "the index of association and rbarD of every population, with a permutation test",
            setup};
}

}  // namespace kelvane::cli
