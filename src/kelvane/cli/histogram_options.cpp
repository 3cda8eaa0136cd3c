// The options of the distance histogram.
#include "kelvane/cli/histogram_options.hpp"

#include "common/cli/option_checks.hpp"

namespace kelvane {

void add_histogram_options(CLI::App& command, HistogramClasses& options) {
    command.add_option("--classes", options.classes, "the number of distance classes, 2 or more")
        ->check(clonal::cli::whole_number(2, INT32_MAX))
        ->capture_default_str();
    command
        .add_option("--max-distance", options.max_distance,
                    "the upper bound of the last class (default: the largest distance)")
        ->check(clonal::cli::whole_number(1, INT32_MAX));
}

std::vector<std::string> histogram_arguments(const HistogramClasses& options) {
    std::vector<std::string> words{"--classes", std::to_string(options.classes)};
    if (options.max_distance > 0) {
        words.insert(words.end(), {"--max-distance", std::to_string(options.max_distance)});
    }
    return words;
}

}  // namespace kelvane
