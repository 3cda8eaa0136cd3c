// kelvane relatedness: the KING-robust kinship of every pair of diploid samples over biallelic
// SNPs, with the counts it comes from, the mismatch share and the relationship.
#include <memory>
#include <string>
#include <vector>

#include "common/cli/option_checks.hpp"
#include "kelvane/analysis/relatedness.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/cli/threshold_option.hpp"
#include "kelvane/figures/evidence/kinship_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace kelvane::cli {
namespace {

struct RelatednessOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    analysis::RelatednessSettings settings;
    std::string replicates;
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<RelatednessOptions>();
    add_data_argument(command, options->data);
    command
        .add_option("--min-kinship", options->settings.min_kinship,
                    "list only the pairs of this kinship or more (0.0884: second-degree "
                    "relatives or closer)")
        ->check(clonal::cli::setting_check("min_kinship"));
    command.add_flag("--related-only", options->settings.related_only,
                     "list only the pairs of clone mates and first- and second-degree relatives");
    add_replicates_option(command, options->replicates, "the relationships");
    clonal::cli::add_figure_option(command, options->figure,
                                   "kinship against IBS0, coloured by relationship");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::TableAndFigure outputs(
            terminal, options->common, options->figure,
            with_replicates(input_files(options->data), options->replicates));
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        options->settings.replicates = replicates_of(options->replicates, data);
        const analysis::RelatednessResult result =
            analysis::relatedness(data, options->settings, {options->common.threads, {}});
        const std::string heading =
            result.counts.empty() ? std::string()
                                  : "# relationship: " + relationship_words(result.scale) + '\n';
        outputs.write(
            analysis::relatedness_table(data, result, options->settings),
            [&] { return kinship_figure(result); }, heading);
    };
}

}  // namespace

clonal::cli::Command relatedness_command() {
    return {"relatedness",
            "the KING-robust kinship of every pair of diploid samples over biallelic SNPs, and "
            "their relationships",
            setup};
}

}  // namespace kelvane::cli
