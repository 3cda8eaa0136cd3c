// The sections of marsyl's report, one function each: a section computes what it shows from the
// clonal data of the run and returns its heading, text, tables, figures and the commands that
// give its tables. Adding a section to the report is one call in report_command.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/cli/command_line.hpp"
#include "marsyl/analysis/clonal_input.hpp"
#include "marsyl/cli/clonal_options.hpp"
#include "plot/cli/report_options.hpp"
#include "plot/html_report.hpp"

namespace marsyl::cli {

struct ReportCommandOptions {
    std::string clonal;
    clonal::cli::CommonOptions common;
    clonal::cli::ReportOptions report;
    std::optional<int32_t> permutations;  // each analysis's own default when not given
    clonal::cli::SeedOption seeds;
};

// What every section reads. Each resampling section starts its own generator from the seeds,
// so that its table is the one its command gives with the same seeds.
struct ReportRun {
    const ReportCommandOptions& options;
    const clonal::cli::Terminal& terminal;
    const analysis::ClonalInput& input;
    clonal::Random start;  // seeded, not drawn from
    std::string seeds;     // "S1,S2"

    int32_t permutations_or(int32_t default_permutations) const {
        return options.permutations.value_or(default_permutations);
    }
    // A marsyl command on the same file: "marsyl NAME CLONAL words".
    std::string command(const std::string& name, const std::vector<std::string>& words) const;
    // The same with --permutations N --seed S1,S2.
    std::string resampling_command(const std::string& name, int32_t permutations) const;
};

clonal::plot::ReportSection data_section(const ReportRun& run);
clonal::plot::ReportSection indices_section(const ReportRun& run);
clonal::plot::ReportSection pareto_section(const ReportRun& run);
clonal::plot::ReportSection shared_section(const ReportRun& run);
clonal::plot::ReportSection bootstrap_section(const ReportRun& run);
clonal::plot::ReportSection differentiation_section(const ReportRun& run);
clonal::plot::ReportSection jackknife_section(const ReportRun& run);

}  // namespace marsyl::cli
