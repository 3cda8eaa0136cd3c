// The sections of marsyl's report.
#include "marsyl/cli/report/report_sections.hpp"

#include <algorithm>

#include "common/cli/command_text.hpp"
#include "common/cli/progress_bar.hpp"
#include "common/text/characters.hpp"
#include "marsyl/analysis/bootstrap.hpp"
#include "marsyl/analysis/differentiation.hpp"
#include "marsyl/analysis/diversity.hpp"
#include "marsyl/analysis/extended.hpp"
#include "marsyl/analysis/jackknife.hpp"
#include "marsyl/analysis/pareto.hpp"
#include "marsyl/analysis/shared.hpp"
#include "marsyl/figures/indices_figure.hpp"
#include "marsyl/figures/jackknife_figure.hpp"
#include "marsyl/figures/pareto_figure.hpp"

namespace marsyl::cli {

using clonal::plot::ReportSection;

std::string ReportRun::command(const std::string& name,
                               const std::vector<std::string>& words) const {
    std::vector<std::string> all{"marsyl", name, options.clonal};
    all.insert(all.end(), words.begin(), words.end());
    return clonal::cli::command_text(all);
}

std::string ReportRun::resampling_command(const std::string& name, int32_t permutations) const {
    return command(name, {"--permutations", std::to_string(permutations), "--seed", seeds});
}

namespace {

// What a resampling analysis computes from its own generator, started at the seeds, with its
// progress shown under label.
template <class Analysis>
auto resampled(const ReportRun& run, const char* label, const Analysis& analysis) {
    clonal::Random random = run.start;
    clonal::cli::ProgressBar bar(run.terminal.err, run.options.common.shows_progress(run.terminal),
                                 label);
    auto result = analysis(random, bar.report());
    bar.finish();
    return result;
}

int64_t distinct(std::vector<int32_t> genotypes) {
    std::sort(genotypes.begin(), genotypes.end());
    return std::unique(genotypes.begin(), genotypes.end()) - genotypes.begin();
}

}  // namespace

ReportSection data_section(const ReportRun& run) {
    const clonal::ClonalData& data = run.input.data;
    ReportSection section;
    section.heading = "Data";
    section.paragraphs.push_back("The Clonal genotype file and what it holds.");
    clonal::ResultTable summary;
    summary.header({"item", "value"});
    summary.text("file").text(run.options.clonal);
    summary.end_row();
    summary.text("title").text(clonal::without_line_end(data.title));
    summary.end_row();
    summary.text("populations").text(std::to_string(data.populations));
    summary.end_row();
    clonal::ResultTable populations;
    populations.header({"population", "individuals", "genotypes"});
    for (int32_t p = 1; p <= data.populations; ++p) {
        populations.text(data.names[static_cast<std::size_t>(p)])
            .integer(data.size(p))
            .integer(distinct(data.genotypes[static_cast<std::size_t>(p)]));
        populations.end_row();
    }
    section.tables.push_back({"The data set", std::move(summary)});
    section.tables.push_back({"Individuals and genotypes per population", std::move(populations)});
    return section;
}

ReportSection indices_section(const ReportRun& run) {
    const clonal::ClonalData& data = run.input.data;
    const DiversityResults results = analysis::diversity(run.input);
    ReportSection section;
    section.heading = "Indices of clonal diversity";
    section.paragraphs.push_back(
        "The indices of clonal diversity of every population (logarithms to base 10), and the "
        "partitioning of three of them into the total, the mean within populations and the "
        "share among them.");
    section.paragraphs.push_back(
        "The statistics of clone sizes that papers on clonal populations report, for every "
        "population and all of them (total): individuals N, genotypes G, clonal richness R, "
        "Shannon's H (natural logarithm) and Pielou's J, the unbiased Simpson index and Hill's "
        "number, the evenness V, Simpson's lambda, Stoddart and Taylor's G, E5, and the expected "
        "genotypes eMLG in a sample of N' = " +
        std::to_string(analysis::rarefaction_sample(data, 0)) +
        " individuals (the size of the smallest population, at least 10) with its standard "
        "error. Two columns repeat the indices above under the peers' names (equal up to "
        "rounding in the last digit): simpson is div and lambda is diu.");
    section.tables.push_back({"Indices per population", analysis::indices_table(data, results)});
    section.tables.push_back(
        {"Partitioning of diversity", analysis::partitioning_table(data, results)});
    section.tables.push_back({"Statistics of clone sizes", analysis::extended_table(data, 0)});
    section.figures.push_back(indices_figure(data, results));
    section.commands.push_back(run.command("indices", {}));
    section.commands.push_back(run.command("indices", {"--partition"}));
    section.commands.push_back(run.command("indices", {"--extended"}));
    return section;
}

ReportSection pareto_section(const ReportRun& run) {
    ReportSection section;
    section.heading = "Pareto distribution of clone sizes";
    section.paragraphs.push_back(
        "For every distinct clone size x, the share y of individuals in clones of size x or "
        "larger; the Pareto index beta is minus the slope of the least-squares line of log10 y "
        "on log10 x (c = beta + 1, r2 its R squared, points the distinct sizes). A small beta: "
        "a few large clones hold most individuals.");
    section.tables.push_back({"Pareto index", analysis::pareto_table(run.input.data)});
    section.figures.push_back(pareto_figure(run.input.data));
    section.commands.push_back(run.command("pareto", {}));
    return section;
}

ReportSection shared_section(const ReportRun& run) {
    ReportSection section;
    section.heading = "Genotypes shared among populations";
    section.paragraphs.push_back(
        "Every genotype found in more than one population, with its individuals in each and the "
        "number of populations holding it.");
    clonal::ResultTable table = analysis::shared_table(run.input.data, false);
    if (table.rows().empty()) {
        section.paragraphs.push_back("No genotype is found in more than one population.");
    }
    section.tables.push_back({"Shared genotypes", std::move(table)});
    section.commands.push_back(run.command("shared", {}));
    return section;
}

ReportSection bootstrap_section(const ReportRun& run) {
    analysis::BootstrapSettings settings;
    settings.permutations = run.permutations_or(settings.permutations);
    const int32_t permutations = settings.permutations;
    clonal::ResultTable table = analysis::bootstrap_table(
        run.input.data,
        resampled(run, "bootstrap", [&](clonal::Random& random, const auto& progress) {
            return analysis::bootstrap(run.input.data, settings, random,
                                       watching<analysis::BootstrapWatch>(progress));
        }));
    ReportSection section;
    section.heading = "Bootstrap tests for differences in diversity";
    section.paragraphs.push_back(
        "For every pair of populations A and B and every index, the one-sided p-value of the "
        "hypothesis that A's index is greater than B's (p_greater, small when it is) and that it "
        "is smaller (p_smaller): the share of " +
        std::to_string(permutations) +
        " bootstrap replicates (the observed data counted as one) whose difference A - B, "
        "centred on the observed difference, reaches the observed difference (p_greater) or "
        "stays at or below it (p_smaller).");
    section.tables.push_back({"Bootstrap p-values", std::move(table)});
    section.commands.push_back(run.resampling_command("bootstrap", permutations));
    return section;
}

ReportSection differentiation_section(const ReportRun& run) {
    analysis::DifferentiationSettings settings;
    settings.permutations = run.permutations_or(settings.permutations);
    const int32_t permutations = settings.permutations;
    clonal::ResultTable table = analysis::differentiation_table(
        run.input.data,
        resampled(run, "differentiation", [&](clonal::Random& random, const auto& progress) {
            return analysis::differentiation(run.input.data, settings, random,
                                             watching<analysis::DifferentiationWatch>(progress));
        }));
    ReportSection section;
    section.heading = "Tests of differentiation";
    section.paragraphs.push_back(
        "For every pair of populations, the share of " + std::to_string(permutations) +
        " permutations of the individuals between them (the observed data counted as one) whose "
        "G statistic of genotype composition reaches the observed one.");
    section.tables.push_back({"Differentiation p-values", std::move(table)});
    section.commands.push_back(run.resampling_command("differentiation", permutations));
    return section;
}

ReportSection jackknife_section(const ReportRun& run) {
    analysis::JackknifeSettings settings;
    settings.subsamples = run.permutations_or(settings.subsamples);
    const int32_t subsamples = settings.subsamples;
    // The jackknife reorders the genotypes it draws from: it works on its own copy.
    clonal::ClonalData data = run.input.data;
    const std::vector<JackknifeCurve> curves =
        resampled(run, "jackknife", [&](clonal::Random& random, const auto& progress) {
            return analysis::jackknife(data, settings, random,
                                       watching<analysis::JackknifeWatch>(progress));
        });
    ReportSection section;
    section.heading = "Indices against sample size (jackknife)";
    section.paragraphs.push_back(
        "Every index of every population over " + std::to_string(subsamples) +
        " random subsamples of each size, drawn without replacement: the mean, and the lower and "
        "upper limits that leave out about a twentieth of the values on each side.");
    section.tables.push_back({"Jackknife", analysis::jackknife_table(data, curves)});
    section.figures.push_back(jackknife_figure(data, curves));
    section.commands.push_back(run.resampling_command("jackknife", subsamples));
    return section;
}

}  // namespace marsyl::cli
