// The report options and the writing of a report.
#include "plot/cli/report_options.hpp"

#include "common/core/random.hpp"
#include "common/text/characters.hpp"
#include "common/text/printf.hpp"

namespace clonal::cli {

void add_report_options(CLI::App& command, ReportOptions& options) {
    command.add_option("--html", options.html, "write the report, one HTML page, here")->required();
    command.add_flag("--no-date", options.no_date,
                     "leave out the date line, so that the same run gives the same bytes");
}

std::vector<std::string> report_arguments(const ReportOptions& options) {
    std::vector<std::string> words{"--html", options.html};
    if (options.no_date) {
        words.emplace_back("--no-date");
    }
    return words;
}

std::string report_date(const ReportOptions& options) {
    if (options.no_date) {
        return {};
    }
    const std::tm now = machine_local_time();
    return format("%04d-%02d-%02d %02d:%02d", now.tm_year + 1900, now.tm_mon + 1, now.tm_mday,
                  now.tm_hour, now.tm_min);
}

plot::Report report_head(const ProgramInfo& info, std::string_view data_title,
                         const std::string& file, std::string command, std::string seeds,
                         const ReportOptions& options) {
    const std::string_view title = without_line_end(data_title);
    plot::Report report;
    report.title = info.name;
    report.title += " report: ";
    report.title += title.empty() ? std::string_view(file) : title;
    report.program = info.name + " " + info.version;
    report.command = std::move(command);
    report.seeds = std::move(seeds);
    report.date = report_date(options);
    return report;
}

ResultFile& add_report_file(ResultFiles& files, const ReportOptions& options) {
    return files.add("--html", options.html);
}

void write_report(ResultFiles& files, ResultFile& html, const plot::Report& report) {
    plot::write_html_report(report, html.stream());
    files.commit();
}

}  // namespace clonal::cli
