// kelvane report: the whole analysis of a marker data set as one HTML page, each table with its
// figure and the command that gives it.
#include <memory>
#include <string>
#include <vector>

#include "common/cli/command_text.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/core/machine_memory.hpp"
#include "kelvane/cli/histogram_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/cli/report/report_sections.hpp"
#include "kelvane/cli/suggest_options.hpp"
#include "kelvane/cli/threshold_option.hpp"
#include "kelvane/figures/evidence/suggestion_marks.hpp"

namespace kelvane::cli {
namespace {

// Every word of the command that writes the same report again, defaults and seeds included.
std::string repeating_command(const ReportCommandOptions& options, const std::string& seeds) {
    std::vector<std::string> words{"kelvane", "report", options.data.data};
    const std::vector<std::string> model = model_arguments(options.data);
    words.insert(words.end(), model.begin(), model.end());
    const std::vector<std::string> histogram = histogram_arguments(options.histogram);
    words.insert(words.end(), histogram.begin(), histogram.end());
    const std::vector<std::string> threshold = threshold_arguments(options.threshold);
    words.insert(words.end(), threshold.begin(), threshold.end());
    const std::vector<std::string> suggest = suggest_arguments(options.suggestion);
    words.insert(words.end(), suggest.begin(), suggest.end());
    const std::vector<std::string> design = design_arguments(options.design);
    words.insert(words.end(), design.begin(), design.end());
    if (!options.place.file.empty()) {
        words.insert(words.end(), {"--coordinates", options.place.file});
        if (options.place.geographic) {
            words.emplace_back("--geographic");
        }
        if (options.place.drop_uncoordinated) {
            words.emplace_back("--drop-uncoordinated");
        }
    }
    words.insert(words.end(),
                 {"--permutations", std::to_string(options.amova.permutations), "--seed", seeds});
    const std::vector<std::string> report = clonal::cli::report_arguments(options.report);
    words.insert(words.end(), report.begin(), report.end());
    return clonal::cli::command_text(words);
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<ReportCommandOptions>();
    add_model_options(command, options->data);
    add_threshold_option(command, options->threshold, true,
                         "list the clonal genotypes at this threshold and mark it in the figures");
    add_suggest_options(command, options->suggestion);
    add_histogram_options(command, options->histogram);
    command
        .add_option("--permutations", options->amova.permutations,
                    "the number of permutations of the AMOVA")
        ->check(clonal::cli::setting_check("permutations"))
        ->capture_default_str();
    add_design_options(command, options->design);
    add_coordinate_options(command, options->place);
    clonal::cli::add_seed_option(command, options->seeds, clonal::cli::start_seeds_help());
    clonal::cli::add_report_options(command, options->report);
    clonal::cli::add_work_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        std::vector<std::string> inputs = input_files(options->data);
        inputs.insert(inputs.end(), {options->place.file, options->design.strata});
        clonal::cli::ResultFiles files(terminal, threshold_inputs(options->threshold, inputs));
        clonal::cli::ResultFile& html = clonal::cli::add_report_file(files, options->report);
        analysis::check_suggestion_settings(options->suggestion);
        analysis::check_histogram_settings(options->histogram);
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, options->common.threads);
        if (options->threshold.automatic()) {
            // Refused before any work under another model.
            analysis::check_automatic_threshold(data, distance_input(options->data));
        }
        options->suggestion.replicates = replicates_of(options->threshold.replicates, data);
        // The coordinates are read before any work, so that a bad file stops the run at once.
        const std::optional<std::pair<MarkerData, Coordinates>> placed =
            located(options->place, options->data, data, terminal);
        // The sections on distances and genotypes take the distances a band at a time where they
        // can; the matrix is held only where they cannot, or later for the AMOVA.
        std::optional<DistanceMatrix> matrix;
        const bool banded =
            !analysis::suggestions_read_matrix(distance_input(options->data), options->suggestion);
        if (banded) {
            write_distance_notes(options->data, data, terminal);
        } else {
            matrix.emplace(distance_matrix(options->data, data, options->common, terminal));
        }
        clonal::cli::record_seeds(terminal, random);
        ReportRun run{*options,
                      terminal,
                      data,
                      matrix ? &*matrix : nullptr,
                      {},
                      {},
                      {},
                      random,
                      clonal::cli::seeds_text(random),
                      placed ? &placed->first : nullptr,
                      placed ? &placed->second : nullptr};
        clonal::Random suggest_random = run.start;
        run.suggestions =
            matrix ? analysis::suggestions(data, *matrix, input_model(options->data, data),
                                           options->suggestion, suggest_random,
                                           {options->common.threads, {}})
                   : analysis::suggestions(data, distance_input(options->data), options->suggestion,
                                           suggest_random, {options->common.threads, {}});
        run.marks.suggested = suggested_marks(run.suggestions);
        if (options->threshold.given()) {
            run.marks.chosen = run.threshold();
        }

        clonal::plot::Report report = clonal::cli::report_head(
            program_info(), data.title, options->data.data, repeating_command(*options, run.seeds),
            run.seeds, options->report);
        report.add(data_section(run));
        report.add(histogram_section(run));
        report.add(thresholds_section(run));
        report.add(suggestions_section(run));
        report.add(genotypes_section(run));
        report.add(loci_section(run));
        report.add(psex_section(run));
        report.add(network_section(run));
        if (auto relatives = relatives_section(run)) {
            report.add(std::move(*relatives));
        }
        if (!matrix) {
            // The AMOVA reads every pair: the matrix now, when this machine holds it.
            if (auto refusal =
                    matrix_memory_shortage(data.n_individuals, clonal::physical_memory())) {
                run.matrix_refusal = *refusal + " (every other section works without it)";
            } else {
                clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                             "distances");
                matrix.emplace(distance_matrix(data, distance_input(options->data),
                                               {options->common.threads, bar.report()}));
                bar.finish();
                run.matrix = &*matrix;
            }
        }
        report.add(amova_section(run));
        if (auto design = design_section(run)) {
            report.add(std::move(*design));
        }
        if (auto spatial = spatial_section(run)) {
            report.add(std::move(*spatial));
        }
        clonal::cli::write_report(files, html, report);
    };
}

}  // namespace

clonal::cli::Command report_command() {
    return {"report", "the whole analysis as one HTML page with tables and figures", setup};
}

}  // namespace kelvane::cli
