// The sections of kelvane's report.
#include "kelvane/cli/report/report_sections.hpp"

#include <cctype>

#include "common/cli/cli_errors.hpp"
#include "common/cli/command_text.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/text/number_text.hpp"
#include "kelvane/analysis/accumulation.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/analysis/data_summary.hpp"
#include "kelvane/analysis/error_rate.hpp"
#include "kelvane/analysis/genotype_summary.hpp"
#include "kelvane/analysis/loci.hpp"
#include "kelvane/analysis/nested_amova.hpp"
#include "kelvane/analysis/network.hpp"
#include "kelvane/analysis/psex.hpp"
#include "kelvane/analysis/relatedness.hpp"
#include "kelvane/analysis/spatial.hpp"
#include "kelvane/analysis/thresholds.hpp"
#include "kelvane/cli/histogram_options.hpp"
#include "kelvane/cli/suggest_options.hpp"
#include "kelvane/figures/amova_figure.hpp"
#include "kelvane/figures/evidence/accumulation_figure.hpp"
#include "kelvane/figures/evidence/kinship_figure.hpp"
#include "kelvane/figures/evidence/network_figure.hpp"
#include "kelvane/figures/histogram_figure.hpp"
#include "kelvane/figures/pairwise_phi_figure.hpp"
#include "kelvane/figures/spatial_figures.hpp"
#include "kelvane/figures/thresholds_figure.hpp"

namespace kelvane::cli {

using clonal::plot::ReportSection;

std::string ReportRun::command(const std::string& name, const std::vector<std::string>& words,
                               const std::string& analysis) const {
    std::vector<std::string> all{"kelvane", name};
    if (!analysis.empty()) {
        all.push_back(analysis);
    }
    all.push_back(options.data.data);
    const std::vector<std::string> model = model_arguments(options.data);
    all.insert(all.end(), model.begin(), model.end());
    all.insert(all.end(), words.begin(), words.end());
    return clonal::cli::command_text(all);
}

std::optional<int32_t> ReportRun::threshold() const {
    if (options.threshold.automatic()) {
        if (suggestions.automatic) {
            return static_cast<int32_t>(suggestions.automatic->threshold);
        }
        return std::nullopt;
    }
    if (options.threshold.given()) {
        return static_cast<int32_t>(options.threshold.value());
    }
    if (suggestions.gap) {
        return static_cast<int32_t>(suggestions.gap->low);
    }
    return std::nullopt;
}

namespace {

// The words of the suggestions with the run's seeds.
std::vector<std::string> suggest_words(const ReportRun& run) {
    std::vector<std::string> words = suggest_arguments(run.options.suggestion);
    words.insert(words.end(), {"--seed", run.seeds});
    if (!run.options.threshold.replicates.empty()) {
        words.insert(words.end(), {"--replicates", run.options.threshold.replicates});
    }
    return words;
}

// How the genotypes' threshold came about, for the text of the sections that use it.
std::string threshold_origin(const ReportRun& run) {
    if (run.options.threshold.automatic()) {
        return "the automatic threshold";
    }
    return run.options.threshold.given() ? "the threshold given"
                                         : "the threshold the largest gap suggests";
}

// The words of a command that groups at the run's threshold: auto as given, otherwise the number.
std::vector<std::string> grouping_words(const ReportRun& run, int32_t threshold) {
    if (run.options.threshold.automatic()) {
        return threshold_arguments(run.options.threshold);
    }
    return {"--threshold", std::to_string(threshold)};
}

// An analysis of the run's distances computed a band at a time, with a progress bar.
template <class Analyse>
auto from_bands(const ReportRun& run, Analyse analyse) {
    clonal::cli::ProgressBar bar(run.terminal.err, run.options.common.shows_progress(run.terminal),
                                 "distances");
    auto result = analyse(distance_input(run.options.data),
                          clonal::WorkSettings{run.options.common.threads, bar.report()});
    bar.finish();
    return result;
}

// The notes a command writes to standard error, as sentences of the section.
void add_notes(ReportSection& section, const std::vector<std::string>& notes) {
    for (std::string note : notes) {
        note[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(note[0])));
        section.paragraphs.push_back(note + ".");
    }
}

}  // namespace

ReportSection data_section(const ReportRun& run) {
    ReportSection section;
    section.heading = "Data";
    section.paragraphs.push_back("The marker data set and the distances computed from it.");
    const std::string distances =
        run.options.data.matrix.empty()
            ? clonal::cli::command_text(model_arguments(run.options.data)) + " (" +
                  distance_unit(run.options.data, run.data) + ")"
            : "imported from " + run.options.data.matrix;
    // The notes on the distances, as the commands give them.
    add_notes(section, distance_notes(run.data, distance_input(run.options.data)));
    section.tables.push_back(
        {"The data set", analysis::data_summary_table(run.data, run.options.data.data, distances)});
    section.tables.push_back({"Individuals per population", analysis::population_table(run.data)});
    return section;
}

ReportSection histogram_section(const ReportRun& run) {
    const analysis::DistanceHistogram histogram =
        run.matrix != nullptr
            ? analysis::histogram(*run.matrix, run.options.histogram)
            : from_bands(run, [&](const DistanceInput& input, const clonal::WorkSettings& work) {
                  return analysis::histogram(run.data, input, run.options.histogram, work);
              });
    ReportSection section;
    section.heading = "Distances between pairs of individuals";
    section.paragraphs.push_back(
        "The number of pairs of individuals in each class of distance. Clone mates differ "
        "little, by scoring errors and somatic mutations: a gap between the pairs at small "
        "distances and the rest is where a threshold belongs. Dashed lines mark the suggested "
        "thresholds of the next sections.");
    if (histogram.beyond > 0) {
        // As the histogram command notes it.
        std::string note = analysis::beyond_text(histogram);
        section.paragraphs.push_back(note.append(" (--max-distance)."));
    }
    section.tables.push_back({"Pairs per distance class", analysis::histogram_table(histogram)});
    section.figures.push_back(
        histogram_figure(histogram, distance_unit(run.options.data, run.data), run.marks));
    std::vector<std::string> words = histogram_arguments(run.options.histogram);
    if (run.options.threshold.given() && !run.options.threshold.automatic()) {
        words.insert(words.end(), {"--threshold", run.options.threshold.text});
    }
    words.emplace_back("--suggest");
    const std::vector<std::string> suggest = suggest_words(run);
    words.insert(words.end(), suggest.begin(), suggest.end());
    section.commands.push_back(run.command("histogram", words));
    return section;
}

ReportSection thresholds_section(const ReportRun& run) {
    const Linkage linkage = run.options.suggestion.linkage;
    const std::vector<ThresholdCount> counts =
        run.matrix != nullptr
            ? analysis::thresholds(*run.matrix, linkage)
            : from_bands(run, [&](const DistanceInput& input, const clonal::WorkSettings& work) {
                  return analysis::thresholds(run.data, input, linkage, work);
              });
    ReportSection section;
    section.heading = "Clonal genotypes against the threshold";
    section.paragraphs.push_back(
        "How many clonal genotypes there are when individuals at a distance at or below the "
        "threshold are joined, at threshold 0 and at every threshold where the number changes.");
    section.tables.push_back({"Genotypes per threshold", analysis::thresholds_table(counts)});
    section.figures.push_back(
        thresholds_figure(counts, distance_unit(run.options.data, run.data), run.marks));
    section.commands.push_back(
        run.command("thresholds", linkage_arguments(run.options.suggestion.linkage)));
    return section;
}

ReportSection suggestions_section(const ReportRun& run) {
    const analysis::SuggestionSettings& settings = run.options.suggestion;
    ReportSection section;
    section.heading = "Suggested thresholds";
    section.paragraphs.push_back(
        "Two thresholds the data suggest. largest-gap: the first largest gap among the smallest " +
        clonal::shortest_real(settings.fraction * 100) + " % of the heights at which " +
        std::string(linkage_name(settings.linkage)) +
        " linkage merges the distinct genotypes. sexual-floor: "
        "the " +
        clonal::shortest_real(settings.alpha) + " quantile of the distances between " +
        std::to_string(settings.simulations) +
        " simulated offspring of random pairs of individuals, the largest threshold that still "
        "keeps genotypes made by sex apart (none for an imported matrix). Genotypes is the "
        "number of clonal genotypes at the threshold.");
    if (run.suggestions.automatic) {
        section.paragraphs.push_back(
            "auto, under the mismatch distance: " +
            automatic_threshold_words(*run.suggestions.automatic) +
            ". Clone mates differ by calling error, relatives by descent as well: full sibs lie "
            "at about 0.58 of the unrelated mode, parent and offspring at 0.67.");
    }
    section.tables.push_back(
        {"Suggested thresholds", analysis::suggestions_table(run.suggestions)});
    section.commands.push_back(run.command("suggest", suggest_words(run)));
    if (!run.options.suggestion.replicates.empty()) {
        section.paragraphs.push_back(
            "The calling error per call from the replicate typings of " +
            run.options.threshold.replicates +
            ": the loci called in both typings of a pair, those whose calls differ, and the "
            "error rate e with its 95% interval, two typings of one genotype differing at a locus "
            "with probability 2e - e^2.");
        section.tables.push_back(
            {"Calling error of the replicates",
             analysis::error_rate_table(run.data, run.options.suggestion.replicates)});
        section.commands.push_back(
            clonal::cli::command_text({"kelvane", "error-rate", run.options.data.data,
                                       "--replicates", run.options.threshold.replicates}));
    }
    return section;
}

ReportSection genotypes_section(const ReportRun& run) {
    ReportSection section;
    const std::optional<int32_t> chosen = run.threshold();
    if (!chosen) {
        section.heading = "Clonal genotypes";
        section.paragraphs.push_back(
            "No threshold was given and the largest gap suggests none: write the report with "
            "--threshold T for the clonal genotypes at T.");
        return section;
    }
    const int32_t threshold = *chosen;
    const Genotypes genotypes =
        run.matrix != nullptr
            ? genotypes_under(*run.matrix, threshold, run.options.suggestion.linkage)
            : from_bands(run, [&](const DistanceInput& input, const clonal::WorkSettings& work) {
                  return analysis::single_linkage_genotypes(run.data, input, threshold, work);
              });
    section.heading = "Clonal genotypes at threshold " + std::to_string(threshold);
    section.paragraphs.push_back(
        std::to_string(genotypes.count) + " clonal genotypes among " +
        std::to_string(run.data.n_individuals) + " individuals at " + threshold_origin(run) +
        ": individuals linked by distances at or below " + std::to_string(threshold) +
        " share one. Genotypes are numbered in the order of their first individual.");
    section.tables.push_back(
        {"Clonal genotypes", analysis::genotype_summary_table(run.data, genotypes)});
    section.commands.push_back(run.command("clones", grouping_words(run, threshold)));
    return section;
}

ReportSection loci_section(const ReportRun& run) {
    ReportSection section;
    section.heading = "Loci and the genotypes they tell apart";
    if (analysis::loci_refusal(run.data)) {
        section.paragraphs.push_back(
            "No probabilities of identity: they need a maximum ploidy of at most 1000.");
    } else {
        section.paragraphs.push_back(
            "Per locus: alleles, locus genotypes, expected heterozygosity (he), the probability "
            "that two random individuals (pi) or two full sibs (pi_sibs) share the locus "
            "genotype, and the running products of these over the loci.");
        section.tables.push_back(
            {"Loci", analysis::loci_table(run.data, analysis::loci(run.data))});
        section.commands.push_back(run.command("loci", {}));
    }
    clonal::Random random = run.start;
    clonal::cli::ProgressBar bar(run.terminal.err, run.options.common.shows_progress(run.terminal),
                                 "loci");
    const analysis::AccumulationSettings settings;
    const analysis::AccumulationResult accumulation = analysis::accumulation(
        run.data, settings, random, {run.options.common.threads, bar.report()});
    bar.finish();
    section.paragraphs.push_back(
        "The distinct genotypes (identical data) when only k of the loci are kept: over every "
        "subset of k loci when there are at most " +
        std::to_string(settings.draws) + " of them, otherwise over as many random subsets. " +
        "A curve that levels off below the " + std::to_string(accumulation.genotypes) +
        " genotypes of all loci shows that the loci are enough to tell them apart. Like Psex, "
        "it counts the genotypes of identical data (the peers' multilocus genotypes), not the "
        "clonal genotypes at the threshold of the sections on genotypes and the network.");
    section.tables.push_back({"Genotype accumulation", analysis::accumulation_table(accumulation)});
    section.figures.push_back(accumulation_figure(accumulation.curve, accumulation.genotypes));
    section.commands.push_back(run.command(
        "accumulation", {"--draws", std::to_string(settings.draws), "--seed", run.seeds}));
    return section;
}

ReportSection psex_section(const ReportRun& run) {
    ReportSection section;
    section.heading = "Could repeated genotypes have arisen by sex? (Psex)";
    const analysis::PsexAnalysisSettings settings;
    if (const auto refusal = psex_refusal(run.data, settings.psex)) {
        section.paragraphs.push_back("No Psex: " + clonal::cli::sentence_of(*refusal) + ".");
        return section;
    }
    clonal::Random random = run.start;  // not drawn from without simulations
    const analysis::PsexResult psex =
        analysis::psex(run.data, settings, distance_input(run.options.data), random,
                       {run.options.common.threads, {}});
    section.paragraphs.push_back(
        "For every individual whose genotype (identical data) occurs more than once: the "
        "probability of its genotype under random mating (pgen, from round-robin allele "
        "frequencies) and the probability that its encounter of rank r among the individuals "
        "arose by a separate sexual event (psex). Small values speak for clones. The genotypes "
        "here are those of identical data (the peers' multilocus genotypes), not the clonal "
        "genotypes at the threshold of the sections on genotypes and the network.");
    if (psex.rows.empty()) {
        section.paragraphs.push_back("No genotype occurs more than once.");
    }
    section.tables.push_back(
        {"Psex of repeated genotypes", analysis::psex_result_table(run.data, psex)});
    section.commands.push_back(run.command("psex", {}));
    return section;
}

ReportSection network_section(const ReportRun& run) {
    ReportSection section;
    section.heading = "Minimum spanning network";
    const std::optional<int32_t> chosen = run.threshold();
    if (!chosen) {
        section.paragraphs.push_back(
            "No threshold was given and the largest gap suggests none: write the report with "
            "--threshold T for the network of the clonal genotypes at T.");
        return section;
    }
    const analysis::NetworkResult network =
        run.matrix != nullptr
            ? analysis::network(*run.matrix, *chosen)
            : from_bands(run, [&](const DistanceInput& input, const clonal::WorkSettings& work) {
                  return analysis::network(run.data, input, *chosen, work);
              });
    section.paragraphs.push_back(
        "How the clonal genotypes at " + threshold_origin(run) +
        " relate: every link that lies "
        "on some minimum spanning tree of the genotypes, the distance of two genotypes being the "
        "smallest distance between their members. The command below writes the network as "
        "GraphML for graph programs.");
    section.figures.push_back(network_figure(run.data, network.genotypes, network.edges, *chosen,
                                             distance_unit(run.options.data, run.data),
                                             "see the command below for GraphML"));
    std::vector<std::string> network_words = grouping_words(run, *chosen);
    network_words.insert(network_words.end(), {"--out", "network.graphml"});
    section.commands.push_back(run.command("network", network_words));
    return section;
}

std::optional<ReportSection> relatives_section(const ReportRun& run) {
    if (run.options.data.model.distance != "mismatch" || !run.options.data.matrix.empty() ||
        run.data.slots() != 2) {
        return std::nullopt;
    }
    analysis::RelatednessSettings settings;
    settings.replicates = run.options.suggestion.replicates;
    settings.related_only = true;
    const analysis::RelatednessResult result =
        analysis::relatedness(run.data, settings, {run.options.common.threads, {}});
    ReportSection section;
    section.heading = "Clone mates and relatives";
    if (result.counts.empty()) {
        section.paragraphs.push_back("No pair of samples to compare.");
        return section;
    }
    section.paragraphs.push_back(
        "The KING-robust kinship of every pair of samples over the biallelic SNPs both call (as "
        "plink 2's --make-king-table), with the share of SNPs at which they are opposite "
        "homozygotes (IBS0) and the mismatch share. Relationships: " +
        relationship_words(result.scale) +
        ". Calling error lowers every kinship, which is why the kinship is read on the data's "
        "own scale. The table lists the pairs of clone mates and first- and second-degree "
        "relatives.");
    section.tables.push_back(
        {"Clone mates and relatives", analysis::relatedness_table(run.data, result, settings)});
    section.figures.push_back(kinship_figure(result));
    std::vector<std::string> words{"kelvane", "relatedness", run.options.data.data,
                                   "--related-only"};
    if (!run.options.threshold.replicates.empty()) {
        words.insert(words.end(), {"--replicates", run.options.threshold.replicates});
    }
    section.commands.push_back(clonal::cli::command_text(words));
    return section;
}

ReportSection amova_section(const ReportRun& run) {
    ReportSection section;
    section.heading = "Analysis of molecular variance (AMOVA)";
    if (const auto refusal = analysis::amova_refusal(run.data)) {
        section.paragraphs.push_back("No AMOVA: " + refusal->sentence() + ".");
        return section;
    }
    if (run.matrix == nullptr) {
        section.paragraphs.push_back("No AMOVA: " + run.matrix_refusal + ".");
        return section;
    }
    clonal::cli::ProgressBar bar(run.terminal.err, run.options.common.shows_progress(run.terminal),
                                 "permutations");
    clonal::Random random = run.start;
    analysis::AmovaSettings settings = run.options.amova;
    settings.keep_permuted = true;
    const analysis::AmovaResult amova = analysis::amova(run.data, *run.matrix, settings, random,
                                                        {run.options.common.threads, bar.report()});
    bar.finish();
    section.paragraphs.push_back(
        "The variance of the distances within and among the populations, and Phi-st, the share "
        "among them. Its p-value is the share of " +
        std::to_string(settings.permutations) +
        " random reassignments of the individuals to the populations, and of the observed "
        "assignment, whose Phi-st reaches the observed one.");
    add_notes(section, analysis::amova_distance_notes(distance_input(run.options.data)));
    section.tables.push_back({"AMOVA", analysis::amova_result_table(amova)});
    section.figures.push_back(amova_figure(amova.table.phi_st, amova.permuted));
    section.commands.push_back(run.command(
        "amova", {"--permutations", std::to_string(settings.permutations), "--seed", run.seeds}));
    return section;
}

std::optional<ReportSection> design_section(const ReportRun& run) {
    const DesignOptions& options = run.options.design;
    if (!options.given()) {
        return std::nullopt;
    }
    ReportSection section;
    section.heading = "AMOVA of the sampling design";
    if (run.matrix == nullptr) {
        section.paragraphs.push_back("No AMOVA: " + run.matrix_refusal + ".");
        return section;
    }
    std::optional<Strata> strata;
    const analysis::AmovaDesign design = amova_design(options, run.options.data, run.data, strata);
    clonal::cli::ProgressBar bar(run.terminal.err, run.options.common.shows_progress(run.terminal),
                                 "permutations");
    const int64_t permutations = run.options.amova.permutations;
    const clonal::WorkSettings work{run.options.common.threads, bar.report()};
    clonal::Random random = run.start;
    const analysis::NestedAmovaResult result =
        analysis::nested_amova(run.data, *run.matrix, distance_input(run.options.data),
                               {design, permutations}, random, work);
    clonal::Random pairs_random = run.start;
    const std::vector<analysis::PairwisePhi> pairs =
        analysis::pairwise_phi(run.data, *run.matrix, {design, permutations}, pairs_random, work);
    bar.finish();
    section.paragraphs.push_back(
        "The variance of the distances at every level of the design, from the top down, with "
        "Phi for each level. Each level's p-value is the share of " +
        std::to_string(permutations) +
        " permutations of the groups one level below it among its groups, within those of the "
        "level above, and of the observed design, whose variance component reaches the observed "
        "one (the row within the lowest groups: stays at most at it). Below, Phi-st of every two "
        "groups of the lowest level from their own AMOVA, with its permutation p-value.");
    if (design.euclidean != EuclideanReading::kSqrt) {
        add_notes(section,
                  analysis::reading_notes(distance_input(run.options.data), design.euclidean,
                                          result.corrected, result.constant));
    }
    section.tables.push_back({"AMOVA of the design", analysis::nested_amova_table(result)});
    section.tables.push_back(
        {"Pairwise Phi-st", analysis::pairwise_phi_table(pairs, clonal::PAdjustment::kNone)});
    section.figures.push_back(pairwise_phi_figure(pairs));
    std::vector<std::string> words = design_arguments(options);
    words.insert(words.end(),
                 {"--permutations", std::to_string(permutations), "--seed", run.seeds});
    section.commands.push_back(run.command("amova", words));
    words.push_back("--pairwise");
    section.commands.push_back(run.command("amova", words));
    return section;
}

std::optional<ReportSection> spatial_section(const ReportRun& run) {
    if (run.coordinates == nullptr) {
        return std::nullopt;
    }
    const MarkerData& data = *run.located_data;
    const Coordinates& coordinates = *run.coordinates;
    const std::optional<int32_t> threshold = run.threshold();
    const Genotypes genets =
        from_bands(run, [&](const DistanceInput& input, const clonal::WorkSettings& work) {
            return analysis::genets_of(data, input, threshold, work);
        });
    const int64_t permutations = run.options.amova.permutations;
    const SubrangeResult subrange = analysis::subrange(data, coordinates, genets, {});
    clonal::Random aggregation_random = run.start;
    const std::vector<analysis::SpatialRow> aggregation =
        analysis::aggregation(data, coordinates, genets, permutations, aggregation_random);
    clonal::Random edge_random = run.start;
    const std::vector<analysis::SpatialRow> edge =
        analysis::edge(data, coordinates, genets, std::nullopt, permutations, edge_random);
    clonal::Random correlogram_random = run.start;
    clonal::cli::ProgressBar bar(run.terminal.err, run.options.common.shows_progress(run.terminal),
                                 "permutations");
    const CorrelogramResult correlogram = analysis::autocorrelation(
        data, coordinates, genets, KinshipLevel::kRamets, {}, permutations, correlogram_random,
        {run.options.common.threads, {}});
    bar.finish();
    ReportSection section;
    section.heading = "Where the clones are";
    const std::string genet_words = threshold ? "the clonal genotypes at " + threshold_origin(run) +
                                                    " (" + std::to_string(*threshold) + ")"
                                              : std::string("the genotypes of identical data");
    section.paragraphs.push_back(
        "The genets are " + genet_words + ", their ramets at the coordinates of " +
        (run.options.place.file.empty() ? run.options.data.data : run.options.place.file) + " (" +
        (coordinates.geographic ? "great-circle distances in km" : "plane distances") + "; " +
        std::to_string(data.n_individuals) +
        " individuals with coordinates). Per class of "
        "distance: the share of pairs of ramets of one genet; the largest such distance is the "
        "clonal subrange" +
        (subrange.subrange ? " (" + clonal::shortest_real(*subrange.subrange) + ")" : "") +
        ". Ac, the aggregation of the ramets of a genet (clonal identity counted 0 for one "
        "genet, 1 otherwise, over all pairs: psg, and over nearest neighbours: psp), and Ee, "
        "whether genets of one ramet lie farther from the centroid than the ramets do (du "
        "against da), each with a p-value from " +
        std::to_string(permutations) +
        " permutations of the genets over the places. Last, the mean Loiselle kinship per class "
        "of distance (every ramet), the slope of the means on distance and on its logarithm, and "
        "Sp.");
    section.tables.push_back(
        {"Pairs of one genet per distance class", analysis::subrange_table(subrange)});
    section.tables.push_back({"Aggregation (Ac)", analysis::aggregation_table(aggregation)});
    section.tables.push_back({"Edge effect (Ee)", analysis::edge_table(edge)});
    section.tables.push_back(
        {"Kinship per distance class", analysis::autocorrelation_table(correlogram)});
    section.tables.push_back(
        {"Slopes and Sp", analysis::autocorrelation_summary_table(correlogram)});
    section.figures.push_back(genet_map_figure(coordinates, genets.numbers, subrange));
    section.figures.push_back(correlogram_figure(correlogram, coordinates.geographic));
    std::vector<std::string> place;
    if (!run.options.place.file.empty()) {
        place.insert(place.end(), {"--coordinates", run.options.place.file});
    }
    if (run.options.place.geographic) {
        place.emplace_back("--geographic");
    }
    if (run.options.place.drop_uncoordinated) {
        place.emplace_back("--drop-uncoordinated");
    }
    if (threshold) {
        place.insert(place.end(), {"--threshold", std::to_string(*threshold)});
    }
    std::vector<std::string> permuted = place;
    permuted.insert(permuted.end(),
                    {"--permutations", std::to_string(permutations), "--seed", run.seeds});
    section.commands.push_back(run.command("spatial", place, "subrange"));
    section.commands.push_back(run.command("spatial", permuted, "aggregation"));
    section.commands.push_back(run.command("spatial", permuted, "edge"));
    std::vector<std::string> summary = permuted;
    summary.insert(summary.end(), {"--summary", "summary.tsv"});
    section.commands.push_back(run.command("spatial", summary, "autocorrelation"));
    return section;
}

}  // namespace kelvane::cli
