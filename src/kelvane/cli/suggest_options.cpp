// The options of the suggested thresholds.
#include "kelvane/cli/suggest_options.hpp"

#include "common/cli/option_checks.hpp"
#include "common/text/tsv_writer.hpp"

namespace kelvane::cli {

std::vector<CLI::Option*> add_suggest_options(CLI::App& command,
                                              analysis::SuggestionSettings& settings) {
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

std::vector<std::string> suggest_arguments(const analysis::SuggestionSettings& settings) {
    return {"--fraction",    clonal::shortest_real(settings.fraction),
            "--alpha",       clonal::shortest_real(settings.alpha),
            "--simulations", std::to_string(settings.simulations)};
}

}  // namespace kelvane::cli
