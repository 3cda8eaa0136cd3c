// --threshold NUMBER|auto and --replicates.
#include "kelvane/cli/threshold_option.hpp"

#include <utility>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/text/number_text.hpp"
#include "kelvane/analysis/error_rate.hpp"

namespace kelvane::cli {

double ThresholdOption::value() const {
    return clonal::whole_double(text).value_or(0.0);
}

void add_threshold_option(CLI::App& command, ThresholdOption& option, bool whole,
                          const std::string& description) {
    const CLI::Validator number = clonal::cli::setting_check("threshold", whole);
    CLI::Option* threshold =
        command
            .add_option("--threshold", option.text,
                        (description.empty()
                             ? std::string("individuals linked by distances at or below it share "
                                           "a clonal genotype (a whole number; a real one with "
                                           "--unrounded)")
                             : description) +
                            "; auto, with --distance mismatch: chosen from the data between the "
                            "clone-mate mode and the distances of first-degree relatives")
            ->check(CLI::Validator(
                [number](std::string& text) {
                    return text == "auto" ? std::string() : number(text);
                },
                "NUMBER|auto"))
            ->type_name("");
    if (description.empty()) {
        threshold->required();
    }
    add_replicates_option(command, option.replicates, "with --threshold auto");
}

std::vector<std::string> threshold_arguments(const ThresholdOption& option) {
    std::vector<std::string> words;
    if (option.given()) {
        words.insert(words.end(), {"--threshold", option.text});
    }
    if (!option.replicates.empty()) {
        words.insert(words.end(), {"--replicates", option.replicates});
    }
    return words;
}

CLI::Option* add_replicates_option(CLI::App& command, std::string& file, const std::string& when) {
    return command.add_option("--replicates", file,
                              when +
                                  ": a file of pairs of samples typed twice (two names per "
                                  "line), whose distances give the clone-mate mode");
}

std::vector<std::string> with_replicates(std::vector<std::string> inputs, const std::string& file) {
    if (!file.empty()) {
        inputs.push_back(file);
    }
    return inputs;
}

std::vector<std::string> threshold_inputs(const ThresholdOption& option,
                                          std::vector<std::string> inputs) {
    if (!option.replicates.empty() && !option.automatic()) {
        throw clonal::cli::UsageError("--replicates goes with --threshold auto");
    }
    return with_replicates(std::move(inputs), option.replicates);
}

std::vector<std::pair<int, int>> replicates_of(const std::string& file, const MarkerData& data) {
    if (file.empty()) {
        return {};
    }
    return analysis::replicate_pairs_file(file, data);
}

std::string automatic_threshold_line(const AutomaticThreshold& chosen) {
    return "# threshold auto " + automatic_threshold_words(chosen) + '\n';
}

}  // namespace kelvane::cli
