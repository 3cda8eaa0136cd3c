// What the report commands share: --html FILE and --no-date, the date line, and the page written
// in full or not at all.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "common/cli/command_line.hpp"
#include "common/cli/result_files.hpp"
#include "common/core/program_info.hpp"
#include "plot/html_report.hpp"

namespace clonal::cli {

struct ReportOptions {
    std::string html;
    bool no_date = false;
};

// --html FILE (required) and --no-date.
void add_report_options(CLI::App& command, ReportOptions& options);

// The words of these options, for the command that writes the report again.
std::vector<std::string> report_arguments(const ReportOptions& options);

// The local date and time, "2024-05-31 14:05", or nothing with --no-date.
std::string report_date(const ReportOptions& options);

// A report without sections: titled "PROGRAM report: " and the title line of the data (its file
// when the title is empty), with the program and version, the command that writes it again, the
// seeds and the date line.
plot::Report report_head(const ProgramInfo& info, std::string_view data_title,
                         const std::string& file, std::string command, std::string seeds,
                         const ReportOptions& options);

// The report's place (--html), checked before the work starts.
ResultFile& add_report_file(ResultFiles& files, const ReportOptions& options);

// Writes the report to its place and puts it there.
void write_report(ResultFiles& files, ResultFile& html, const plot::Report& report);

}  // namespace clonal::cli
