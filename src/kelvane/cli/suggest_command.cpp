// kelvane suggest: thresholds suggested by the data, one row per method: the largest gap among
// the merge heights of the distinct genotypes, the sexual floor from simulated offspring, and under
// the mismatch distance the automatic threshold.
#include <memory>
#include <string>
#include <vector>

#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/cli/suggest_options.hpp"
#include "kelvane/cli/threshold_option.hpp"

namespace kelvane::cli {
namespace {

struct SuggestOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    analysis::SuggestionSettings settings;
    clonal::cli::SeedOption seeds;
    std::string replicates;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<SuggestOptions>();
    add_model_options(command, options->data);
    add_unrounded_option(command, options->data);
    add_suggest_options(command, options->settings);
    add_replicates_option(command, options->replicates, "auto (--distance mismatch)");
    clonal::cli::add_seed_option(command, options->seeds, clonal::cli::start_seeds_help());
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(
            terminal, with_replicates(input_files(options->data), options->replicates));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        analysis::check_suggestion_settings(options->settings);
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        options->settings.replicates = replicates_of(options->replicates, data);
        const analysis::Suggestions suggestions = suggestions_of(
            options->data, options->settings, data, options->common, random, terminal);
        if (suggestions.automatic) {
            output.stream() << automatic_threshold_line(*suggestions.automatic);
        }
        clonal::write_tsv(analysis::suggestions_table(suggestions), output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command suggest_command() {
    return {"suggest",
            "thresholds suggested by the merge heights and by simulated sexual offspring", setup};
}

}  // namespace kelvane::cli
