// kelvane thresholds: the number of clonal genotypes at threshold 0 and at every threshold where
// it changes.
#include <memory>

#include "common/cli/result_output.hpp"
#include "common/core/tsv_writer.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/grouping/all_thresholds.hpp"

namespace kelvane {
namespace {

struct ThresholdsOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ThresholdsOptions>();
    add_model_options(command, options->data);
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        const MarkerData data = read_data(options->data, terminal);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        const std::vector<ThresholdCount> counts = genotype_counts(matrix);
        clonal::cli::ResultOutput output(options->common.out, terminal.out);
        {
            clonal::TsvWriter tsv(output.stream());
            tsv.header({"threshold", "genotypes"});
            for (const ThresholdCount& count : counts) {
                tsv.integer(count.threshold).integer(count.genotypes);
                tsv.end_row();
            }
        }
        output.commit();
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"thresholds", "the number of clonal genotypes at every threshold where it changes", 30,
     setup}};

}  // namespace
}  // namespace kelvane
