// The sections of kelvane's report.
#include "kelvane/cli/report_sections.hpp"

#include "common/cli/command_text.hpp"
#include "common/cli/progress_bar.hpp"
#include "kelvane/grouping/all_thresholds.hpp"
#include "kelvane/results/amova_results.hpp"
#include "kelvane/results/data_results.hpp"
#include "kelvane/results/genotype_results.hpp"
#include "kelvane/results/histogram_results.hpp"
#include "kelvane/results/threshold_results.hpp"

namespace kelvane {

using clonal::plot::ReportSection;

std::string ReportRun::command(const std::string& name,
                               const std::vector<std::string>& words) const {
    std::vector<std::string> all{"kelvane", name, options.data.data};
    const std::vector<std::string> model = model_arguments(options.data);
    all.insert(all.end(), model.begin(), model.end());
    all.insert(all.end(), words.begin(), words.end());
    return clonal::cli::command_text(all);
}

ReportSection data_section(const ReportRun& run) {
    ReportSection section;
    section.heading = "Data";
    section.paragraphs.push_back("The marker data set and the distances computed from it.");
    const std::string distances =
        run.options.data.matrix.empty()
            ? clonal::cli::command_text(model_arguments(run.options.data)) + " (" +
                  distance_unit(run.options.data) + ")"
            : "imported from " + run.options.data.matrix;
    section.tables.push_back(
        {"The data set", data_summary_table(run.data, run.options.data.data, distances)});
    section.tables.push_back({"Individuals per population", population_table(run.data)});
    return section;
}

ReportSection histogram_section(const ReportRun& run) {
    const DistanceHistogram histogram = distance_histogram(
        run.matrix, run.options.histogram.classes, run.options.histogram.max_distance);
    ReportSection section;
    section.heading = "Distances between pairs of individuals";
    section.paragraphs.push_back(
        "The number of pairs of individuals in each class of distance. Clone mates differ "
        "little, by scoring errors and somatic mutations: a gap between the pairs at small "
        "distances and the rest is where a threshold belongs.");
    section.tables.push_back({"Pairs per distance class", histogram_table(histogram)});
    section.figures.push_back(
        histogram_figure(histogram, distance_unit(run.options.data), run.marks));
    section.commands.push_back(
        run.command("histogram", histogram_arguments(run.options.histogram)));
    return section;
}

ReportSection thresholds_section(const ReportRun& run) {
    const std::vector<ThresholdCount> counts = genotype_counts(run.matrix);
    ReportSection section;
    section.heading = "Clonal genotypes against the threshold";
    section.paragraphs.push_back(
        "How many clonal genotypes there are when individuals at a distance at or below the "
        "threshold are joined, at threshold 0 and at every threshold where the number changes.");
    section.tables.push_back({"Genotypes per threshold", thresholds_table(counts)});
    section.figures.push_back(
        thresholds_figure(counts, distance_unit(run.options.data), run.marks));
    section.commands.push_back(run.command("thresholds", {}));
    return section;
}

ReportSection genotypes_section(const ReportRun& run) {
    ReportSection section;
    if (!run.options.threshold) {
        section.heading = "Clonal genotypes";
        section.paragraphs.push_back(
            "No threshold was given: write the report with --threshold T for the clonal "
            "genotypes at T.");
        return section;
    }
    const int32_t threshold = *run.options.threshold;
    const Genotypes genotypes = genotypes_at_threshold(run.matrix, threshold);
    section.heading = "Clonal genotypes at threshold " + std::to_string(threshold);
    section.paragraphs.push_back(
        std::to_string(genotypes.count) + " clonal genotypes among " +
        std::to_string(run.data.n_individuals) +
        " individuals: individuals linked by distances at or below " + std::to_string(threshold) +
        " share one. Genotypes are numbered in the order of their first individual.");
    section.tables.push_back({"Clonal genotypes", genotype_summary_table(run.data, genotypes)});
    section.commands.push_back(run.command("clones", {"--threshold", std::to_string(threshold)}));
    return section;
}

ReportSection amova_section(ReportRun& run) {
    ReportSection section;
    section.heading = "Analysis of molecular variance (AMOVA)";
    if (const auto refusal = amova_refusal(run.data.pop_vector, run.data.n_populations)) {
        section.paragraphs.push_back(std::string("No AMOVA: ") + refusal_clause(*refusal) + ".");
        return section;
    }
    const AmovaSample sample = amova_sample(run.data.pop_vector, run.data.n_populations);
    const SamplePairs pairs(run.matrix, sample.members);
    const AmovaTable table = observed_amova(pairs, sample);
    clonal::cli::ProgressBar bar(run.terminal.err, run.options.common.shows_progress(run.terminal),
                                 "permutations");
    std::vector<double> permuted;
    const AmovaPermutationTest test = amova_permutation_test(
        pairs, sample, table.phi_st, run.options.permutations, run.random,
        run.options.common.threads,
        [&permuted](int64_t, double phi_st) { permuted.push_back(phi_st); }, bar.report());
    bar.finish();
    section.paragraphs.push_back(
        "The variance of the distances within and among the populations, and Phi-st, the share "
        "among them. Its p-value is the share of " +
        std::to_string(run.options.permutations) +
        " random reassignments of the individuals to the populations, and of the observed "
        "assignment, whose Phi-st reaches the observed one.");
    section.tables.push_back({"AMOVA", amova_result_table(table, test)});
    section.figures.push_back(amova_figure(table.phi_st, permuted));
    section.commands.push_back(run.command(
        "amova",
        {"--permutations", std::to_string(run.options.permutations), "--seed", run.seeds}));
    return section;
}

}  // namespace kelvane
