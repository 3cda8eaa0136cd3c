// --threshold NUMBER|auto and --replicates.
#include "kelvane/cli/threshold_option.hpp"

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/text/number_text.hpp"
#include "kelvane/analysis/error_rate.hpp"

namespace kelvane::cli {

double ThresholdOption::value() const {
    return clonal::whole_double(text).value_or(0.0);
}

void add_threshold_option(CLI::App& command, ThresholdOption& option) {
    const CLI::Validator number = clonal::cli::setting_check("threshold");
    command
        .add_option("--threshold", option.text,
                    "individuals linked by distances at or below it share a clonal genotype (a "
                    "whole number; a real one with --unrounded); auto, with --distance mismatch: "
                    "chosen from the data between the clone-mate mode and the distances of "
                    "first-degree relatives")
        ->check(CLI::Validator(
            [number](std::string& text) {
                return text == "auto" ? std::string() : number(text);
            },
            "NUMBER|auto"))
        ->type_name("")
        ->required();
    command.add_option("--replicates", option.replicates,
                       "with --threshold auto: a file of pairs of samples typed twice (two "
                       "names per line), whose distances give the clone-mate mode");
}

std::vector<std::string> threshold_inputs(const ThresholdOption& option) {
    if (option.replicates.empty()) {
        return {};
    }
    if (!option.automatic()) {
        throw clonal::cli::UsageError("--replicates goes with --threshold auto");
    }
    return {option.replicates};
}

std::vector<std::pair<int, int>> threshold_replicates(const ThresholdOption& option,
                                                      const MarkerData& data) {
    if (option.replicates.empty()) {
        return {};
    }
    return analysis::replicate_pairs_file(option.replicates, data);
}

std::string automatic_threshold_line(const AutomaticThreshold& chosen) {
    return "# threshold auto " + automatic_threshold_words(chosen) + '\n';
}

}  // namespace kelvane::cli
