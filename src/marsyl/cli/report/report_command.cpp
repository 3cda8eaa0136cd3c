// marsyl report: the clonal diversity of the populations as one HTML page, each table with its
// figure and the command that gives it.
#include <memory>

#include "common/cli/command_text.hpp"
#include "common/cli/option_checks.hpp"
#include "marsyl/analysis/bootstrap.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/analysis/differentiation.hpp"
#include "marsyl/analysis/jackknife.hpp"
#include "marsyl/cli/marsyl_cli.hpp"
#include "marsyl/cli/marsyl_commands.hpp"
#include "marsyl/cli/report/report_sections.hpp"

namespace marsyl::cli {
namespace {

// Every word of the command that writes the same report again, the seeds included.
std::string repeating_command(const ReportCommandOptions& options, const std::string& seeds) {
    std::vector<std::string> words{"marsyl", "report", options.clonal};
    if (options.permutations) {
        words.insert(words.end(), {"--permutations", std::to_string(*options.permutations)});
    }
    words.insert(words.end(), {"--seed", seeds});
    const std::vector<std::string> report = clonal::cli::report_arguments(options.report);
    words.insert(words.end(), report.begin(), report.end());
    return clonal::cli::command_text(words);
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ReportCommandOptions>();
    add_clonal_argument(command, options->clonal);
    command
        .add_option("--permutations", options->permutations,
                    "the number of permutations of the tests and of subsamples of the jackknife "
                    "(default: " +
                        std::to_string(analysis::BootstrapSettings{}.permutations) + ", " +
                        std::to_string(analysis::DifferentiationSettings{}.permutations) + " and " +
                        std::to_string(analysis::JackknifeSettings{}.subsamples) +
                        ", as their commands)")
        ->check(clonal::cli::setting_check("resampling.permutations"));
    add_clock_seed_option(command, options->seeds);
    clonal::cli::add_report_options(command, options->report);
    clonal::cli::add_work_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::cli::ResultFiles files(terminal, {options->clonal});
        clonal::cli::ResultFile& html = clonal::cli::add_report_file(files, options->report);
        ResamplingOptions resampling;
        resampling.seeds = options->seeds;
        const clonal::Random start = seeded_random(resampling, terminal);
        const analysis::ClonalInput input = analysis::read_clonal_input(options->clonal);
        const ReportRun run{*options, terminal, input, start, clonal::cli::seeds_text(start)};

        clonal::plot::Report report = clonal::cli::report_head(
            program_info(), input.data.title, options->clonal,
            repeating_command(*options, run.seeds), run.seeds, options->report);
        report.add(data_section(run));
        report.add(indices_section(run));
        report.add(pareto_section(run));
        report.add(shared_section(run));
        report.add(bootstrap_section(run));
        report.add(differentiation_section(run));
        report.add(jackknife_section(run));
        clonal::cli::write_report(files, html, report);
    };
}

}  // namespace

clonal::cli::Command report_command() {
    return {"report", "the whole analysis as one HTML page with tables and figures", setup};
}

}  // namespace marsyl::cli
