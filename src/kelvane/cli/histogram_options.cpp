// The options of the distance histogram.
#include "kelvane/cli/histogram_options.hpp"

#include <algorithm>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "kelvane/grouping/histogram.hpp"

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

namespace {

void check_classes(int32_t classes, int32_t max_distance) {
    if (classes > max_distance && classes > kFewestClassesRefused) {
        throw clonal::cli::UsageError(
            "--classes " + std::to_string(classes) +
            " would make classes narrower than one unit up to " + std::to_string(max_distance) +
            ", nearly all empty; give at most " +
            std::to_string(std::max(max_distance, kFewestClassesRefused)));
    }
}

}  // namespace

void check_histogram_classes(const HistogramClasses& options) {
    if (options.max_distance > 0) {
        check_classes(options.classes, options.max_distance);
    }
}

DistanceHistogram histogram_of(const DistanceMatrix& matrix, const HistogramClasses& options) {
    check_classes(options.classes, options.max_distance > 0
                                       ? options.max_distance
                                       : std::max(largest_distance(matrix), 1));
    return distance_histogram(matrix, options.classes, options.max_distance);
}

std::vector<std::string> histogram_arguments(const HistogramClasses& options) {
    std::vector<std::string> words{"--classes", std::to_string(options.classes)};
    if (options.max_distance > 0) {
        words.insert(words.end(), {"--max-distance", std::to_string(options.max_distance)});
    }
    return words;
}

}  // namespace kelvane
