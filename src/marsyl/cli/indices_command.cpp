// marsyl indices: the indices of clonal diversity of every population, or with --partition the
// partitioning of diversity among the populations, as the dialogue's first choice computes them;
// with --extended the statistics of clone sizes that papers on clonal populations report, for
// every population and the total; with --ci bootstrap intervals of H, G, lambda and E5; with --svg
// the indices as dot charts.
#include <memory>
#include <string>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/result_files.hpp"
#include "common/text/tsv_writer.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/analysis/diversity.hpp"
#include "marsyl/analysis/diversity_intervals.hpp"
#include "marsyl/analysis/extended.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "marsyl/cli/marsyl_commands.hpp"
#include "marsyl/figures/indices_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace marsyl::cli {
namespace {

struct IndicesOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    bool partition = false;
    bool extended = false;
    int64_t rarefy = 0;  // 0: the default size
    analysis::IntervalSettings intervals;
    ResamplingOptions resampling;
    CLI::Option* ci = nullptr;  // given: intervals instead of the indices
};

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<IndicesOptions>();
    add_clonal_argument(command, options->clonal);
    CLI::Option* partition_flag =
        command.add_flag("--partition", options->partition,
                         "the partitioning of diversity among the populations instead");
    CLI::Option* extended_flag =
        command.add_flag("--extended", options->extended,
                         "the statistics of clone sizes instead (N, G, R, H, J, simpson, hill, V, "
                         "lambda, stoddart_taylor, E5, eMLG, eMLG_se), for every population and "
                         "the total");
    extended_flag->excludes(partition_flag);
    command
        .add_option(
            "--rarefy", options->rarefy,
            "the sample size N' of eMLG (default or 0: the size of the smallest population, "
            "but at least 10)")
        ->check(clonal::cli::setting_check("rarefy"))
        ->needs(extended_flag);
    CLI::Option* ci_option =
        command
            .add_option("--ci", options->intervals.resamples,
                        "bootstrap confidence intervals of H, G, lambda and E5 instead, from this "
                        "many resamples of every population and the total (poppr's "
                        "diversity_ci: observed, estimate the resamples' mean, lower and upper "
                        "the observed value -/+ z sd)")
            ->check(clonal::cli::setting_check("ci"));
    ci_option->excludes(partition_flag)->excludes(extended_flag);
    options->ci = ci_option;
    command
        .add_option("--ci-level", options->intervals.level, "the confidence level of the intervals")
        ->check(clonal::cli::setting_check("ci_level"))
        ->capture_default_str()
        ->needs(ci_option);
    add_clock_seed_option(command, options->resampling.seeds);
    clonal::cli::add_figure_option(command, options->figure,
                                   "the indices of every population as dot charts");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        const bool intervals = options->ci->count() > 0;
        if ((options->partition || options->extended || intervals) && options->figure.wanted()) {
            throw clonal::cli::UsageError(
                std::string("--svg draws the indices of every population; it does not go with ") +
                (options->partition  ? "--partition"
                 : options->extended ? "--extended"
                                     : "--ci"));
        }
        if (intervals) {
            analysis::check_interval_settings(options->intervals);
            clonal::cli::ResultFiles files(terminal, {options->clonal});
            clonal::cli::ResultFile& output = files.add("--out", options->common.out);
            clonal::Random random = seeded_random(options->resampling, terminal);
            const analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
            clonal::write_tsv(
                analysis::diversity_interval_table(input.data, options->intervals, random),
                output.stream());
            files.commit();
            return;
        }
        clonal::cli::TableAndFigure outputs(terminal, options->common, options->figure,
                                            {options->clonal});
        const analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
        const DiversityResults results =
            options->extended ? DiversityResults{} : analysis::diversity(input);
        const clonal::ResultTable table =
            options->extended    ? analysis::extended_table(input.data, options->rarefy)
            : options->partition ? analysis::partitioning_table(input.data, results)
                                 : analysis::indices_table(input.data, results);
        outputs.write(table, [&] { return indices_figure(input.data, results); });
    };
}

}  // namespace

clonal::cli::Command indices_command() {
    return {"indices", "the indices of clonal diversity of every population", setup};
}

}  // namespace marsyl::cli
