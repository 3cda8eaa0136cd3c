// kelvane suggest: thresholds suggested by the data, one row per method: the largest gap among
// the merge heights of the distinct genotypes, and the sexual floor from simulated offspring.
#include <memory>

#include "common/cli/result_files.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/suggest_options.hpp"

namespace kelvane {
namespace {

struct SuggestOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    SuggestionSettings settings;
    clonal::cli::SeedOption seeds;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<SuggestOptions>();
    add_model_options(command, options->data);
    add_suggest_options(command, options->settings);
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        check_suggest_settings(options->settings);
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        clonal::cli::record_seeds(terminal, random);
        const Suggestions suggestions = suggestions_for(
            options->data, data, matrix, options->settings, random, options->common.threads);
        clonal::write_tsv(suggestions_table(suggestions), output.stream());
        files.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"suggest", "thresholds suggested by the merge heights and by simulated sexual offspring", 35,
     setup}};

}  // namespace
}  // namespace kelvane
