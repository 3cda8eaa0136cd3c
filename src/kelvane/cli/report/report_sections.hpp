// The sections of kelvane's report, one function each: a section computes what it shows from
// the data and the distances of the run and returns its heading, text, tables, figures and the
// command that gives its tables. Adding a section to the report is one call in
// report_command.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/cli/command_line.hpp"
#include "kelvane/analysis/amova.hpp"
#include "kelvane/analysis/histogram.hpp"
#include "kelvane/analysis/suggestions.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/design_options.hpp"
#include "kelvane/cli/spatial_options.hpp"
#include "kelvane/cli/threshold_option.hpp"
#include "kelvane/figures/threshold_marks.hpp"
#include "plot/cli/report_options.hpp"
#include "plot/html_report.hpp"

namespace kelvane::cli {

struct ReportCommandOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::ReportOptions report;
    analysis::HistogramSettings histogram;
    ThresholdOption threshold;
    analysis::AmovaSettings amova;
    DesignOptions design;
    CoordinateOptions place;  // the section on where the clones are, when a file is given
    analysis::SuggestionSettings suggestion;
    clonal::cli::SeedOption seeds;
};

// What every section reads. Each section that draws random numbers starts its own generator at
// start, so that its tables are what its command gives with the same seeds.
struct ReportRun {
    const ReportCommandOptions& options;
    const clonal::cli::Terminal& terminal;
    const MarkerData& data;
    // The matrix, when the report holds one: for an input the analyses cannot take band by band
    // (an imported matrix, other linkage rules), and for the AMOVA when it fits in memory.
    // Without it the sections on distances and genotypes compute theirs a band at a time.
    const DistanceMatrix* matrix;
    std::string matrix_refusal;  // why the AMOVA had no matrix
    analysis::Suggestions suggestions;
    ThresholdMarks marks;  // drawn over the distance figures
    clonal::Random start;  // seeded, not drawn from
    std::string seeds;     // "S1,S2" of start
    // The individuals with coordinates and their places, when coordinates were given.
    const MarkerData* located_data;
    const Coordinates* coordinates;

    // A kelvane command on the same data and model: "kelvane NAME [ANALYSIS] DATA --distance ...
    // words".
    std::string command(const std::string& name, const std::vector<std::string>& words,
                        const std::string& analysis = {}) const;
    // The threshold the genotypes are shown at: the one given (auto: the automatic suggestion),
    // or else the largest gap's.
    std::optional<int32_t> threshold() const;
};

clonal::plot::ReportSection data_section(const ReportRun& run);
clonal::plot::ReportSection histogram_section(const ReportRun& run);
clonal::plot::ReportSection thresholds_section(const ReportRun& run);
// With the calling error of the replicates when the automatic threshold reads them.
clonal::plot::ReportSection suggestions_section(const ReportRun& run);
clonal::plot::ReportSection genotypes_section(const ReportRun& run);
clonal::plot::ReportSection loci_section(const ReportRun& run);
clonal::plot::ReportSection psex_section(const ReportRun& run);
clonal::plot::ReportSection network_section(const ReportRun& run);
// The relatives found beside the clones, under the mismatch distance on diploid data; nothing
// otherwise.
std::optional<clonal::plot::ReportSection> relatives_section(const ReportRun& run);
clonal::plot::ReportSection amova_section(const ReportRun& run);
// The AMOVA of the sampling design and the pairwise Phi-st of its lowest groups, when the options
// describe a design; nothing otherwise.
std::optional<clonal::plot::ReportSection> design_section(const ReportRun& run);
// Where the clones are, when coordinates were given; nothing otherwise.
std::optional<clonal::plot::ReportSection> spatial_section(const ReportRun& run);

}  // namespace kelvane::cli
