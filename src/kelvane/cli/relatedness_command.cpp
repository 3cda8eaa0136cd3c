// kelvane relatedness: the KING-robust kinship of every pair of diploid samples over biallelic
// SNPs, with the counts it comes from and the mismatch share.
#include <memory>

#include "common/cli/option_checks.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/relatedness.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"

namespace kelvane::cli {
namespace {

struct RelatednessOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    analysis::RelatednessSettings settings;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<RelatednessOptions>();
    add_data_argument(command, options->data);
    command
        .add_option("--min-kinship", options->settings.min_kinship,
                    "list only the pairs of this kinship or more (0.0884: second-degree "
                    "relatives or closer)")
        ->check(clonal::cli::setting_check("min_kinship"));
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, input_files(options->data));
        clonal::cli::ResultFile& output = files.add("--out", options->common.out);
        const MarkerData data = read_data(options->data, terminal);
        clonal::write_tsv(
            analysis::relatedness_table(data, options->settings, {options->common.threads, {}}),
            output.stream());
        files.commit();
    };
}

}  // namespace

clonal::cli::Command relatedness_command() {
    return {"relatedness",
            "the KING-robust kinship of every pair of diploid samples over biallelic SNPs", setup};
}

}  // namespace kelvane::cli
