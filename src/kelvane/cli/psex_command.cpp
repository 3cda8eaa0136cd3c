// kelvane psex: for every individual whose genotype occurs more than once, the probability of
// its genotype (Pgen) and the probability that its encounter arose by a separate sexual event
// (Psex), optionally with a p-value by simulation.
#include <memory>
#include <string>

#include "common/cli/choice_option.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/psex.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/evidence/psex/psex_choices.hpp"

namespace kelvane::cli {
namespace {

struct PsexOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    analysis::PsexAnalysisSettings settings;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<PsexOptions>();
    add_model_options(command, options->data);
    add_unrounded_option(command, options->data);
    command
        .add_option("--threshold", options->settings.threshold,
                    "genotypes are the clonal genotypes at this threshold under the model "
                    "options (default: identical data)")
        ->check(clonal::cli::setting_check("threshold"));
    command
        .add_option("--frequencies", options->settings.psex.frequencies,
                    "allele frequencies from every individual (ramet), from the first of every "
                    "genotype (genet) or, per locus, from the first of every genotype over the "
                    "other loci (round-robin)")
        ->transform(clonal::cli::choice_words(frequency_sources()))
        ->default_str(
            std::string(clonal::choice_name(frequency_sources(), PsexSettings{}.frequencies)));
    command
        .add_option("--rr-fill", options->settings.psex.fill,
                    "the frequency of an allele the chosen individuals lack: 1/(P x genotypes) "
                    "(genets) or 1/individuals (samples)")
        ->transform(clonal::cli::choice_words(rare_allele_fills()))
        ->default_str(std::string(clonal::choice_name(rare_allele_fills(), PsexSettings{}.fill)));
    command.add_flag("--by-population", options->settings.psex.by_population,
                     "frequencies, encounter ranks and N per population");
    command.add_flag("--fis", options->settings.psex.fis,
                     "genotype probabilities with each locus's inbreeding coefficient (diploid "
                     "data)");
    command
        .add_option("--method", options->settings.psex.method,
                    "single: 1-(1-Pgen)^G over the G distinct genotypes; multiple: the binomial "
                    "probability of the r-th encounter among N individuals")
        ->transform(clonal::cli::choice_words(psex_methods()))
        ->default_str(std::string(clonal::choice_name(psex_methods(), PsexSettings{}.method)));
    command
        .add_option("--simulations", options->settings.psex.simulations,
                    "simulated populations for the p-value of each Psex (0: none)")
        ->check(clonal::cli::setting_check("psex.simulations"))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, clonal::cli::start_seeds_help());
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        clonal::Random random = seeded_random(options->seeds);
        const clonal::Random start = random;
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "distances");
        const analysis::PsexResult result =
            analysis::psex(data, options->settings, distance_input(options->data), random,
                           {options->common.threads, bar.report()});
        bar.finish();
        clonal::cli::record_seeds(terminal, start);
        clonal::write_tsv(analysis::psex_result_table(data, result), output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command psex_command() {
    return {"psex", "the probability that repeated genotypes arose by separate sexual events",
            setup};
}

}  // namespace kelvane::cli
