// kelvane report: the whole analysis of a marker data set as one HTML page, each table with its
// figure and the command that gives it.
#include <memory>

#include "common/cli/command_text.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/report_sections.hpp"

namespace kelvane {
namespace {

// Every word of the command that writes the same report again, defaults and seeds included.
std::string report_command(const ReportCommandOptions& options, const std::string& seeds) {
    std::vector<std::string> words{"kelvane", "report", options.data.data};
    const std::vector<std::string> model = model_arguments(options.data);
    words.insert(words.end(), model.begin(), model.end());
    words.insert(words.end(), {"--classes", std::to_string(options.classes)});
    if (options.max_distance > 0) {
        words.insert(words.end(), {"--max-distance", std::to_string(options.max_distance)});
    }
    if (options.threshold) {
        words.insert(words.end(), {"--threshold", std::to_string(*options.threshold)});
    }
    words.insert(words.end(),
                 {"--permutations", std::to_string(options.permutations), "--seed", seeds});
    const std::vector<std::string> report = clonal::cli::report_arguments(options.report);
    words.insert(words.end(), report.begin(), report.end());
    return clonal::cli::command_text(words);
}

std::string report_title(const MarkerData& data, const std::string& file) {
    std::string title = data.title;
    while (!title.empty() && (title.back() == '\n' || title.back() == '\r')) {
        title.pop_back();
    }
    return "kelvane report: " + (title.empty() ? file : title);
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ReportCommandOptions>();
    add_model_options(command, options->data);
    command
        .add_option("--threshold", options->threshold,
                    "list the clonal genotypes at this threshold and mark it in the figures")
        ->check(CLI::NonNegativeNumber);
    command.add_option("--classes", options->classes, "the number of distance classes, 2 or more")
        ->check(CLI::Range(2, INT32_MAX))
        ->capture_default_str();
    command
        .add_option("--max-distance", options->max_distance,
                    "the upper bound of the last class (default: the largest distance)")
        ->check(CLI::Range(1, INT32_MAX));
    command
        .add_option("--permutations", options->permutations,
                    "the number of permutations of the AMOVA")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options->seeds, "12345,67890, as the dialogue starts");
    clonal::cli::add_report_options(command, options->report);
    clonal::cli::add_work_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        clonal::Random random;
        if (const auto seeds = clonal::cli::parse_seeds(options->seeds)) {
            random.set_seeds(seeds->first, seeds->second);
        }
        const MarkerData data = read_data(options->data);
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        clonal::cli::record_seeds(terminal, random);
        ReportRun run{*options,
                      terminal,
                      data,
                      matrix,
                      {},
                      random,
                      std::to_string(random.seed1()) + "," + std::to_string(random.seed2())};
        if (options->threshold) {
            run.marks.chosen = *options->threshold;
        }

        clonal::plot::Report report;
        report.title = report_title(data, options->data.data);
        report.program = program_info().name + " " + program_info().version;
        report.command = report_command(*options, run.seeds);
        report.seeds = run.seeds;
        report.date = clonal::cli::report_date(options->report);
        report.add(data_section(run));
        report.add(histogram_section(run));
        report.add(thresholds_section(run));
        report.add(genotypes_section(run));
        report.add(amova_section(run));
        clonal::cli::write_report(terminal, options->report, report);
    };
}

const clonal::cli::RegisterCommand kRegistered{
    kelvane_commands(),
    {"report", "the whole analysis as one HTML page with tables and figures", 90, setup}};

}  // namespace
}  // namespace kelvane
