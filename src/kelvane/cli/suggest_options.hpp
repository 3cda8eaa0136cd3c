// The settings of the suggested thresholds, as kelvane suggest, histogram --suggest and the
// report take them: --fraction, --alpha and --simulations, with the same defaults everywhere.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/cli/data_options.hpp"

namespace kelvane::cli {

// Adds the three options and returns them, for a command that takes them only with a flag.
std::vector<CLI::Option*> add_suggest_options(CLI::App& command,
                                              analysis::SuggestionSettings& settings);

// The words of the options, defaults included (single linkage is left unsaid), for a command that
// suggests the same thresholds.
std::vector<std::string> suggest_arguments(const analysis::SuggestionSettings& settings);

// The suggestions a command prints or draws: the seeds recorded, then the analysis with the
// progress of its distances, from the whole matrix only where it needs one.
analysis::Suggestions suggestions_of(const DataOptions& options,
                                     const analysis::SuggestionSettings& settings,
                                     const MarkerData& data,
                                     const clonal::cli::CommonOptions& common,
                                     clonal::Random& random, const clonal::cli::Terminal& terminal);

// --linkage single|complete|average.
CLI::Option* add_linkage_option(CLI::App& command, Linkage& linkage);

// "--linkage" and the rule's name, or nothing for single linkage.
std::vector<std::string> linkage_arguments(Linkage linkage);

}  // namespace kelvane::cli
