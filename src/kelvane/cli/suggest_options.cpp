// The options of the suggested thresholds.
#include "kelvane/cli/suggest_options.hpp"

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/text/tsv_writer.hpp"

namespace kelvane {

std::vector<CLI::Option*> add_suggest_options(CLI::App& command, SuggestionSettings& settings) {
    std::vector<CLI::Option*> options;
    options.push_back(command
                          .add_option("--fraction", settings.fraction,
                                      "largest-gap: the share of the merge heights, from the "
                                      "smallest, searched for the gap (more than 0, at most 1)")
                          ->check(clonal::cli::real_number(0.0, 1.0))
                          ->capture_default_str());
    options.push_back(
        command
            .add_option("--alpha", settings.alpha,
                        "sexual-floor: the quantile of the distances between simulated offspring")
            ->check(clonal::cli::real_number(0.0, 1.0))
            ->capture_default_str());
    options.push_back(
        command
            .add_option("--simulations", settings.simulations,
                        "sexual-floor: the number of simulated offspring (0: no sexual floor)")
            ->check(clonal::cli::whole_number(0, 10000000))
            ->capture_default_str());
    return options;
}

void check_suggest_settings(const SuggestionSettings& settings) {
    if (!(settings.fraction > 0.0)) {
        throw clonal::cli::UsageError("--fraction takes a number above 0 and at most 1");
    }
}

std::vector<std::string> suggest_arguments(const SuggestionSettings& settings) {
    return {"--fraction",    clonal::shortest_real(settings.fraction),
            "--alpha",       clonal::shortest_real(settings.alpha),
            "--simulations", std::to_string(settings.simulations)};
}

Suggestions suggestions_for(const DataOptions& options, const MarkerData& data,
                            const DistanceMatrix& matrix, const SuggestionSettings& settings,
                            clonal::Random& random, int threads) {
    if (!options.matrix.empty()) {
        return suggest_thresholds(data, matrix, nullptr, settings, random, threads);
    }
    const DistanceModel model = distance_model(options, data);
    return suggest_thresholds(data, matrix, &model, settings, random, threads);
}

}  // namespace kelvane
