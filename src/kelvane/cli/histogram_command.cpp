// kelvane histogram: the number of pairs in each distance class, the table the dialogue's
// histogram shows.
#include <memory>

#include "common/cli/cli_errors.hpp"
#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/grouping/histogram.hpp"

namespace kelvane {
namespace {

struct HistogramOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    int32_t classes = 10;
    int32_t max_distance = 0;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<HistogramOptions>();
    add_model_options(command, options->data);
    command.add_option("--classes", options->classes, "the number of distance classes, 2 or more")
        ->check(CLI::Range(2, INT32_MAX))
        ->capture_default_str();
    command
        .add_option("--max-distance", options->max_distance,
                    "the upper bound of the last class (default: the largest distance)")
        ->check(CLI::Range(1, INT32_MAX));
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        const MarkerData data = read_data(options->data, terminal);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        const int32_t max_distance = options->max_distance > 0
                                         ? options->max_distance
                                         : std::max(largest_distance(matrix), 1);
        const std::vector<int64_t> counts =
            histogram_counts(matrix, options->classes, max_distance);
        const double width = class_width(max_distance, options->classes);
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"class", "from", "to", "pairs"});
            for (std::size_t k = 0; k < counts.size(); ++k) {
                const auto upper = static_cast<double>(k) * width;
                const double lower = k == 0 ? 0.0 : static_cast<double>(k - 1) * width;
                tsv.integer(static_cast<int64_t>(k)).real(lower).real(upper).integer(counts[k]);
                tsv.end_row();
            }
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(), {"histogram", "the number of pairs in each distance class", 20, setup}};

}  // namespace
}  // namespace kelvane
