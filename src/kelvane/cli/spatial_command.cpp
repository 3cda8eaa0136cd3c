// kelvane spatial: where the clones are, from the coordinates of the individuals: the share of
// pairs of one genet per distance class and each genet's spread (subrange), the aggregation of
// ramets of a genet (aggregation), the edge effect (edge) and the decay of kinship with distance
// (autocorrelation).
#include <memory>
#include <sstream>

#include "common/cli/choice_option.hpp"
#include "common/cli/cli_errors.hpp"
#include "common/cli/option_checks.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/cli/result_files.hpp"
#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"
#include "common/text/number_text.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/spatial.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/kelvane_cli.hpp"
#include "kelvane/cli/kelvane_commands.hpp"
#include "kelvane/cli/spatial_options.hpp"
#include "kelvane/data/data_subset.hpp"
#include "kelvane/figures/spatial_figures.hpp"
#include "plot/cli/figure_option.hpp"
#include "plot/svg_render.hpp"

namespace kelvane::cli {
namespace {

struct SpatialOptions {
    analysis::SpatialAnalysis analysis = analysis::SpatialAnalysis::kSubrange;
    DataOptions data;
    clonal::cli::CommonOptions common;
    CoordinateOptions place;
    std::optional<int32_t> threshold;
    ClassSettings classes;
    std::string class_limits;
    std::string genets;
    std::string centre;
    KinshipLevel level = KinshipLevel::kRamets;
    std::string summary;
    int64_t permutations = 999;
    clonal::cli::SeedOption seeds;
    clonal::cli::FigureOption figure;
};

// Numbers separated by commas; a UsageError naming the option otherwise.
std::vector<double> numbers_of(const std::string& text, const std::string& option) {
    std::vector<double> numbers;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ',')) {
        const std::optional<double> value = clonal::whole_double(part);
        if (!value) {
            throw clonal::cli::UsageError(option + " takes numbers separated by commas, not '" +
                                          part + "'");
        }
        numbers.push_back(*value);
    }
    return numbers;
}

void add_spatial_options(CLI::App& command, SpatialOptions& options) {
    command
        .add_option("ANALYSIS", options.analysis,
                    "subrange (genets against distance), aggregation (Ac), edge (Ee) or "
                    "autocorrelation (kinship against distance)")
        ->transform(clonal::cli::choice_words(analysis::spatial_analyses()))
        ->required();
    add_model_options(command, options.data);
    add_coordinate_options(command, options.place);
    command
        .add_option("--threshold", options.threshold,
                    "genets are the clonal genotypes at this threshold under the model options "
                    "(default: identical data)")
        ->check(clonal::cli::setting_check("threshold", true));
    command
        .add_option("--classes", options.classes.classes,
                    "subrange and autocorrelation: the number of distance classes, of equal width "
                    "from 0 to the largest distance")
        ->check(clonal::cli::setting_check("spatial.classes"))
        ->capture_default_str();
    command.add_flag("--equal-pairs", options.classes.equal_pairs,
                     "subrange and autocorrelation: classes of equal numbers of pairs instead");
    command.add_option("--class-limits", options.class_limits,
                       "subrange and autocorrelation: the limits of the classes, ascending, "
                       "separated by commas");
    command
        .add_option("--level", options.level,
                    "autocorrelation: every ramet (ramets), or one unit per genet: at its "
                    "centroid (genets-central), at a ramet drawn at random (genets-random), or "
                    "every ramet with pairs weighted by the genets' sizes (genets-weighted)")
        ->transform(clonal::cli::choice_words(kinship_levels()))
        ->default_str(std::string(clonal::choice_name(kinship_levels(), KinshipLevel::kRamets)));
    command.add_option("--summary", options.summary,
                       "autocorrelation: also write the slopes, F1 and Sp here");
    command.add_option("--genets", options.genets,
                       "subrange: also write each genet's ramets and spread here");
    command.add_option("--center", options.centre,
                       "edge: the centre x,y (default: the centroid of each population)");
    command
        .add_option("--permutations", options.permutations,
                    "aggregation, edge and autocorrelation: permutations of the p-values (0: "
                    "none)")
        ->check(clonal::cli::setting_check("permutations"))
        ->capture_default_str();
    clonal::cli::add_seed_option(command, options.seeds, clonal::cli::start_seeds_help());
    clonal::cli::add_figure_option(command, options.figure,
                                   "the map of the ramets by genet (autocorrelation: the "
                                   "correlogram with its permutation envelope)");
    clonal::cli::add_common_options(command, options.common);
}

// The centre of --center x,y, when given.
std::optional<std::pair<double, double>> centre_of(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const std::vector<double> point = numbers_of(text, "--center");
    if (point.size() != 2) {
        throw clonal::cli::UsageError("--center takes x,y");
    }
    return std::pair(point[0], point[1]);
}

void run_spatial(const SpatialOptions& options, const clonal::cli::Terminal& terminal) {
    std::vector<std::string> inputs = input_files(options.data);
    inputs.push_back(options.place.file);
    clonal::cli::ResultFiles files(terminal, inputs);
    clonal::cli::ResultFile& output = files.add("--out", options.common.out);
    const bool subrange = options.analysis == analysis::SpatialAnalysis::kSubrange;
    if (!options.genets.empty() && !subrange) {
        throw clonal::cli::UsageError("--genets goes with spatial subrange");
    }
    clonal::cli::ResultFile* genets_file =
        options.genets.empty() ? nullptr : &files.add("--genets", options.genets);
    const bool correlogram = options.analysis == analysis::SpatialAnalysis::kAutocorrelation;
    if (!options.summary.empty() && !correlogram) {
        throw clonal::cli::UsageError("--summary goes with spatial autocorrelation");
    }
    clonal::cli::ResultFile* summary_file =
        options.summary.empty() ? nullptr : &files.add("--summary", options.summary);
    clonal::cli::ResultFile* figure_file =
        options.figure.wanted() ? &files.add("--svg", options.figure.file) : nullptr;
    ClassSettings classes = options.classes;
    if (!options.class_limits.empty()) {
        classes.limits = numbers_of(options.class_limits, "--class-limits");
    }
    check_class_settings(classes);
    const std::optional<std::pair<double, double>> centre = centre_of(options.centre);
    clonal::Random random = seeded_random(options.seeds);
    const clonal::Random start = random;
    auto placed = located(options.place, options.data,
                          read_data(options.data, terminal, options.common.threads), terminal);
    if (!placed) {
        throw clonal::cli::UsageError(
            "spatial needs the coordinates of the individuals: --coordinates FILE, or a "
            "GenAlEx sheet with X and Y columns after its genotypes");
    }
    const auto& [data, coordinates] = *placed;
    clonal::cli::ProgressBar bar(terminal.err, options.common.shows_progress(terminal),
                                 "distances");
    const Genotypes genets =
        analysis::genets_of(data, distance_input(options.data), options.threshold,
                            {options.common.threads, bar.report()});
    bar.finish();
    // The subrange's table, and the spreads the map draws.
    std::optional<SubrangeResult> spreads;
    if (subrange || (figure_file != nullptr && !correlogram)) {
        spreads = analysis::subrange(data, coordinates, genets, classes);
    }
    if (subrange) {
        clonal::write_tsv(analysis::subrange_table(*spreads), output.stream());
        if (genets_file != nullptr) {
            clonal::write_tsv(analysis::genet_spread_table(*spreads), genets_file->stream());
        }
    } else if (options.analysis == analysis::SpatialAnalysis::kAggregation) {
        clonal::cli::record_seeds(terminal, start);
        clonal::write_tsv(analysis::aggregation_table(analysis::aggregation(
                              data, coordinates, genets, options.permutations, random)),
                          output.stream());
    } else if (correlogram) {
        clonal::cli::record_seeds(terminal, start);
        const CorrelogramResult result =
            analysis::autocorrelation(data, coordinates, genets, options.level, classes,
                                      options.permutations, random, {options.common.threads, {}});
        clonal::write_tsv(analysis::autocorrelation_table(result), output.stream());
        if (summary_file != nullptr) {
            clonal::write_tsv(analysis::autocorrelation_summary_table(result),
                              summary_file->stream());
        }
        if (figure_file != nullptr) {
            clonal::plot::write_svg(correlogram_figure(result, coordinates.geographic),
                                    figure_file->stream());
        }
    } else {
        clonal::cli::record_seeds(terminal, start);
        clonal::write_tsv(analysis::edge_table(analysis::edge(data, coordinates, genets, centre,
                                                              options.permutations, random)),
                          output.stream());
    }
    if (figure_file != nullptr && !correlogram) {
        clonal::plot::write_svg(genet_map_figure(coordinates, genets.numbers, *spreads),
                                figure_file->stream());
    }
    files.commit();
}

clonal::cli::Action setup(CLI::App& command) {
    auto options = std::make_shared<SpatialOptions>();
    add_spatial_options(command, *options);
    return [options](const clonal::cli::Terminal& terminal) { run_spatial(*options, terminal); };
}

}  // namespace

clonal::cli::Command spatial_command() {
    return {"spatial", "where the clones are: genets against the coordinates of their ramets",
            setup};
}

}  // namespace kelvane::cli
