// The settings of the suggested thresholds, as kelvane suggest, histogram --suggest and the
// report take them: --fraction, --alpha and --simulations, with the same defaults everywhere.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "kelvane/cli/data_options.hpp"
#include "kelvane/results/evidence/suggestion_results.hpp"

namespace kelvane {

// Adds the three options and returns them, for a command that takes them only with a flag.
std::vector<CLI::Option*> add_suggest_options(CLI::App& command, SuggestionSettings& settings);

// A UsageError for settings the options' own checks let through (a fraction of 0).
void check_suggest_settings(const SuggestionSettings& settings);

// The words of the options, defaults included, for a command that suggests the same thresholds.
std::vector<std::string> suggest_arguments(const SuggestionSettings& settings);

// The suggestions for the data and the matrix the options made: with the sexual floor under
// their model, or without it for an imported matrix, which has no model to compare offspring
// with.
Suggestions suggestions_for(const DataOptions& options, const MarkerData& data,
                            const DistanceMatrix& matrix, const SuggestionSettings& settings,
                            clonal::Random& random, int threads);

}  // namespace kelvane
