// The options of the suggested thresholds.
#include "kelvane/cli/suggest_options.hpp"

#include "common/cli/choice_option.hpp"
#include "common/cli/command_line.hpp"
#include "common/cli/option_checks.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/clones.hpp"

namespace kelvane::cli {

std::vector<CLI::Option*> add_suggest_options(CLI::App& command,
                                              analysis::SuggestionSettings& settings) {
    std::vector<CLI::Option*> options;
    options.push_back(command
                          .add_option("--fraction", settings.fraction,
                                      "largest-gap: the share of the merge heights, from the "
                                      "smallest, searched for the gap (more than 0, at most 1)")
                          ->check(clonal::cli::setting_check("fraction"))
                          ->capture_default_str());
    options.push_back(
        command
            .add_option("--alpha", settings.alpha,
                        "sexual-floor: the quantile of the distances between simulated offspring")
            ->check(clonal::cli::setting_check("alpha"))
            ->capture_default_str());
    options.push_back(add_linkage_option(command, settings.linkage));
    options.push_back(
        command
            .add_option("--simulations", settings.simulations,
                        "sexual-floor: the number of simulated offspring (0: no sexual floor)")
            ->check(clonal::cli::setting_check("suggest.simulations"))
            ->capture_default_str());
    return options;
}

std::vector<std::string> suggest_arguments(const analysis::SuggestionSettings& settings) {
    std::vector<std::string> words{"--fraction",    clonal::shortest_real(settings.fraction),
                                   "--alpha",       clonal::shortest_real(settings.alpha),
                                   "--simulations", std::to_string(settings.simulations)};
    const std::vector<std::string> linkage = linkage_arguments(settings.linkage);
    words.insert(words.end(), linkage.begin(), linkage.end());
    return words;
}

analysis::Suggestions suggestions_of(const DataOptions& options,
                                     const analysis::SuggestionSettings& settings,
                                     const MarkerData& data,
                                     const clonal::cli::CommonOptions& common,
                                     clonal::Random& random,
                                     const clonal::cli::Terminal& terminal) {
    clonal::cli::record_seeds(terminal, random);
    analysis::Suggestions suggestions;
    with_distance_progress(options, data, common, terminal, [&](const clonal::WorkSettings& work) {
        suggestions = analysis::suggestions(data, distance_input(options), settings, random, work);
    });
    return suggestions;
}

CLI::Option* add_linkage_option(CLI::App& command, Linkage& linkage) {
    return command
        .add_option("--linkage", linkage,
                    "how groups of individuals join at a threshold: single (some pair across "
                    "them within it), complete (every pair) or average (the mean distance "
                    "across them, UPGMA)")
        ->transform(clonal::cli::choice_words(linkage_choices()))
        ->default_str("single");
}

std::vector<std::string> linkage_arguments(Linkage linkage) {
    if (linkage == Linkage::kSingle) {
        return {};
    }
    return {"--linkage", std::string(linkage_name(linkage))};
}

}  // namespace kelvane::cli
