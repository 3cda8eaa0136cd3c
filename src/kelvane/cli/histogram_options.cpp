// The options of the histogram's classes.
#include "kelvane/cli/histogram_options.hpp"

#include "common/cli/option_checks.hpp"
#include "common/text/tsv_writer.hpp"

namespace kelvane::cli {

void add_histogram_options(CLI::App& command, analysis::HistogramSettings& settings) {
    command.add_option("--classes", settings.classes, "the number of distance classes, 2 or more")
        ->check(clonal::cli::setting_check("histogram.classes"))
        ->capture_default_str();
    command
        .add_option("--max-distance", settings.max_distance,
                    "the upper bound of the last class (default: the largest distance; a whole "
                    "number, a real one with --unrounded)")
        ->check(clonal::cli::setting_check("max_distance"));
}

std::vector<std::string> histogram_arguments(const analysis::HistogramSettings& settings) {
    std::vector<std::string> words{"--classes", std::to_string(settings.classes)};
    if (settings.max_distance > 0) {
        words.insert(words.end(), {"--max-distance", clonal::distance_text(settings.max_distance)});
    }
    return words;
}

}  // namespace kelvane::cli
