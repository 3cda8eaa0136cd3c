// The sections of kelvane's report, one function each: a section computes what it shows from
// the data and the matrix of the run and returns its heading, text, tables, figures and the
// command that gives its tables. Adding a section to the report is one call in
// report_command.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/cli/command_line.hpp"
#include "common/cli/report_options.hpp"
#include "kelvane/cli/data_options.hpp"
#include "kelvane/cli/histogram_options.hpp"
#include "kelvane/results/threshold_marks.hpp"
#include "plot/html_report.hpp"

namespace kelvane {

struct ReportCommandOptions {
    DataOptions data;
    clonal::cli::CommonOptions common;
    clonal::cli::ReportOptions report;
    HistogramClasses histogram;
    std::optional<int32_t> threshold;
    int32_t permutations = 999;
    clonal::cli::SeedOption seeds;
};

// What every section reads.
struct ReportRun {
    const ReportCommandOptions& options;
    const clonal::cli::Terminal& terminal;
    const MarkerData& data;
    const DistanceMatrix& matrix;
    ThresholdMarks marks;  // drawn over the distance figures
    clonal::Random random;
    std::string seeds;  // "S1,S2" of random before its first draw

    // A kelvane command on the same data and model: "kelvane NAME DATA --distance ... words".
    std::string command(const std::string& name, const std::vector<std::string>& words) const;
};

clonal::plot::ReportSection data_section(const ReportRun& run);
clonal::plot::ReportSection histogram_section(const ReportRun& run);
clonal::plot::ReportSection thresholds_section(const ReportRun& run);
clonal::plot::ReportSection genotypes_section(const ReportRun& run);
// Draws from run.random.
clonal::plot::ReportSection amova_section(ReportRun& run);

}  // namespace kelvane
