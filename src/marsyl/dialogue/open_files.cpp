// Opening the files of a run, at its start and again at menu choice 7: the Clonal genotype file
// with its loading, then the report file with its header.
#include <string>

#include "input_file_prompt.hpp"
#include "marsyl_program.hpp"
#include "marsyl_run.hpp"
#include "printf.hpp"

namespace marsyl {
namespace {

void open_report(MarsylRun& run) {
    for (;;) {
        run.console.print("\nGive name of output file: ");
        const std::string name = run.console.read_line();
        if (run.report.open(run.console, name, clonal::WriteMode::kAppend)) {
            return;
        }
        run.console.print("%s", kReportWriteError);
    }
}

std::string formatted_date(const std::tm& local_time) {
    char text[64];
    const std::size_t length =
        std::strftime(text, sizeof text, "%a, %b. %d, %H:%M:%S", &local_time);
    return std::string(text, length);
}

void write_header(MarsylRun& run) {
    std::ostream& report = run.report.stream();
    report << "\n\n" << std::string(97, '*') << "\n\n";
    clonal::print(report, "Marsyl version %.1f%s\n\n", kVersion, kCredit);
    report << "Output generated: " << formatted_date(run.clock());
    clonal::print(report, "\ninput file: %s\noutput file: %s\n", run.input_name.c_str(),
                  run.report.name().c_str());
    clonal::print(report, "%s\n", run.data.title.c_str());
    clonal::print(report, "number of populations: %d\n", run.data.populations);
    run.report.flush(run.console);
}

}  // namespace

void open_files(MarsylRun& run) {
    clonal::InputFile input = clonal::open_input_file(run.console, clonal::AfterOffer::kNothing);
    // Nothing of an earlier data set is used once another file is chosen.
    run.data = clonal::ClonalData{};
    run.data = clonal::read_clonal_file(input.content, run.console.out());
    run.largest_genotype = clonal::raise_largest_genotype(run.data, run.largest_genotype);
    run.input_name = std::move(input.name);
    input.content.clear();
    input.content.shrink_to_fit();
    open_report(run);
    write_header(run);
}

}  // namespace marsyl
