// kelvane error-rate: the genotyping error rate per call from pairs of replicate typings.
#include <memory>
#include <string>

#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/error_rate.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"

namespace kelvane::cli {
namespace {

struct ErrorRateOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    std::string replicates;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ErrorRateOptions>();
    add_data_argument(command, options->data);
    command
        .add_option("--replicates", options->replicates,
                    "a file of pairs of samples that are the same DNA or the same ramet typed "
                    "twice: two names per line, separated by a tab or blanks")
        ->required();
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        std::vector<std::string> inputs = input_files(options->data);
        inputs.push_back(options->replicates);
        clonal::cli::ResultFiles files(terminal, inputs);
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        const auto pairs = analysis::replicate_pairs_file(options->replicates, data);
        clonal::write_tsv(analysis::error_rate_table(data, pairs), output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command error_rate_command() {
    return {"error-rate",
            "the genotyping error rate per call from replicate typings, per pair and over all",
            setup};
}

}  // namespace kelvane::cli
