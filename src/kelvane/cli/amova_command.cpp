// kelvane amova: the AMOVA of the populations with its permutation test, and with --svg the
// figure of the test; with strata, a hierarchy, the level within individuals or clone correction
// the nested AMOVA of the design; with --pairwise Phi-st between every two groups.
#include <memory>
#include <optional>

#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/p_adjust_option.hpp"
#include "common/cli/progress_bar.hpp"
#include "kelvane/analysis/amova.hpp"
#include "kelvane/analysis/nested_amova.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/design_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/figures/amova_figure.hpp"
#include "kelvane/figures/pairwise_phi_figure.hpp"
#include "plot/cli/figure_option.hpp"

namespace kelvane::cli {
namespace {

using clonal::cli::UsageError;

struct AmovaOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::FigureOption figure;
    analysis::AmovaSettings settings;
    clonal::cli::SeedOption seeds;
    DesignOptions design;
    bool within = false;
    bool clone_correct = false;
    int32_t threshold = 0;
    CLI::Option* threshold_option = nullptr;
    bool pairwise = false;
    clonal::cli::AdjustOption adjust;

    bool designed() const { return design.given() || within || clone_correct || pairwise; }
};

void check_options(const AmovaOptions& options) {
    if (options.threshold_option->count() > 0 && !options.clone_correct) {
        throw UsageError("--threshold goes with --clone-correct");
    }
    if (options.adjust.given() && !options.pairwise) {
        throw UsageError("--adjust goes with --pairwise");
    }
    if (options.within && options.pairwise) {
        throw UsageError("--pairwise compares groups of individuals; it does not take --within");
    }
}

void run_designed(const AmovaOptions& options, const clonal::cli::Terminal& terminal,
                  clonal::cli::TableAndFigure& outputs, clonal::Random& random,
                  const MarkerData& data, const DistanceMatrix& matrix) {
    std::optional<Strata> strata;
    analysis::AmovaDesign design = amova_design(options.design, options.data, data, strata);
    design.within = options.within;
    design.clone_correct = options.clone_correct;
    if (options.threshold_option->count() > 0) {
        design.clone_threshold = options.threshold;
    }
    clonal::cli::ProgressBar bar(terminal.err, options.common.shows_progress(terminal),
                                 "permutations");
    const clonal::WorkSettings work{options.common.threads, bar.report()};
    if (options.pairwise) {
        const std::vector<analysis::PairwisePhi> pairs = analysis::pairwise_phi(
            data, matrix, {design, options.settings.permutations}, random, work);
        bar.finish();
        for (const std::string& note :
             analysis::pairwise_reading_notes(distance_input(options.data), design.euclidean)) {
            terminal.err << "kelvane: note: " << note << '\n';
        }
        outputs.write(analysis::pairwise_phi_table(pairs, options.adjust.adjustment()),
                      [&] { return pairwise_phi_figure(pairs); });
        return;
    }
    const analysis::NestedAmovaResult result =
        analysis::nested_amova(data, matrix, distance_input(options.data),
                               {design, options.settings.permutations}, random, work);
    bar.finish();
    if (design.euclidean != EuclideanReading::kSqrt) {
        for (const std::string& note :
             analysis::reading_notes(distance_input(options.data), design.euclidean,
                                     result.corrected, result.constant)) {
            terminal.err << "kelvane: note: " << note << '\n';
        }
    }
    if (design.clone_correct) {
        terminal.err << "kelvane: note: clone correction kept " << result.individuals << " of "
                     << result.individuals_before_correction << " individuals\n";
    }
    outputs.write(analysis::nested_amova_table(result), {});
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<AmovaOptions>();
    add_model_options(command, options->data);
    command
        .add_option("--permutations", options->settings.permutations,
                    "the number of permutations (of each level)")
        ->check(clonal::cli::setting_check("permutations"))
        ->capture_default_str();
    add_design_options(command, options->design);
    command.add_flag("--within", options->within,
                     "add the level within individuals (their allele copies taken apart)");
    command.add_flag("--clone-correct", options->clone_correct,
                     "keep one individual per genotype within each group of the lowest level");
    options->threshold_option =
        command
            .add_option("--threshold", options->threshold,
                        "with --clone-correct: genotypes are the clonal genotypes at this "
                        "threshold (default: identical data)")
            ->check(clonal::cli::setting_check("threshold", true));
    command.add_flag("--pairwise", options->pairwise,
                     "Phi-st of every two groups of the lowest level, with its p-value");
    clonal::cli::add_adjust_option(command, options->adjust);
    clonal::cli::add_seed_option(command, options->seeds, clonal::cli::start_seeds_help());
    clonal::cli::add_figure_option(command, options->figure,
                                   "the Phi-st of the permutations against the observed one; "
                                   "with --pairwise the heat map of the pairwise Phi-st");
    clonal::cli::add_common_options(command, options->common);
    return [options](const clonal::cli::Terminal& terminal) {
        check_options(*options);
        if (options->designed() && !options->pairwise && options->figure.wanted()) {
            throw UsageError(
                "--svg draws the test of the populations' AMOVA, or with --pairwise "
                "the pairwise Phi-st; it does not go with --strata, --hierarchy, "
                "--within or --clone-correct alone");
        }
        std::vector<std::string> inputs = input_files(options->data);
        inputs.push_back(options->design.strata);
        clonal::cli::TableAndFigure outputs(terminal, options->common, options->figure, inputs);
        clonal::Random random = seeded_random(options->seeds);
        const MarkerData data = read_data(options->data, terminal, options->common.threads);
        if (!options->designed()) {
            if (auto refusal = analysis::amova_refusal(data)) {
                throw *refusal;
            }
        }
        const DistanceMatrix matrix =
            distance_matrix(options->data, data, options->common, terminal);
        clonal::cli::record_seeds(terminal, random);
        if (options->design.euclidean == "sqrt") {
            for (const std::string& note :
                 analysis::amova_distance_notes(distance_input(options->data))) {
                terminal.err << "kelvane: note: " << note << '\n';
            }
        }
        if (options->designed()) {
            run_designed(*options, terminal, outputs, random, data, matrix);
            return;
        }
        clonal::cli::ProgressBar bar(terminal.err, options->common.shows_progress(terminal),
                                     "permutations");
        analysis::AmovaSettings settings = options->settings;
        // The permuted values are kept only for the figure.
        settings.keep_permuted = options->figure.wanted();
        const analysis::AmovaResult result = analysis::amova(
            data, matrix, settings, random, {options->common.threads, bar.report()});
        bar.finish();
        outputs.write(analysis::amova_result_table(result),
                      [&] { return amova_figure(result.table.phi_st, result.permuted); });
    };
}

}  // namespace

clonal::cli::Command amova_command() {
    return {"amova",
            "the AMOVA of the populations, or of a hierarchy of strata, with its permutation "
            "tests; Phi-st between every two groups",
            setup};
}

}  // namespace kelvane::cli
