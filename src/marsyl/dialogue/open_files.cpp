// Opening the files of a run, at its start and again at menu choice 7: the Clonal genotype file
// with its loading, then the report file with its header.
#include "marsyl/dialogue/open_files.hpp"

#include <string>

#include "common/dialogue/input_file_prompt.hpp"
#include "common/dialogue/output_file_prompt.hpp"
#include "common/text/printf.hpp"
#include "marsyl/dialogue/marsyl_program.hpp"

namespace marsyl::dialogue {
namespace {

void open_report(MarsylRun& run) {
    // Everything written to the report in use has been flushed and any failure reported.
    run.report.close(run.console);
    run.report.adopt(clonal::ask_output_file(
        run.console, "\nGive name of output file: ", kReportWriteError, clonal::WriteMode::kAppend,
        [&run](const std::string& name) { return clonal::same_file(name, run.input_name); }));
}

// Reads the data set, printing its title, the number of populations and one line per population
// as each part is read.
clonal::ClonalData read_and_summarise(clonal::Console& console, const std::string& content) {
    clonal::ClonalFileReader reader(content);
    const clonal::ClonalData& header = reader.read_header();
    console.print("\n\n%s\n", header.title.c_str());
    console.print("%d populations\n", header.populations);
    const std::vector<int32_t>& sizes = reader.read_census();
    for (int32_t k = 1; k <= header.populations; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        console.print(" %15s:\t%d individuals\n", header.names[slot].c_str(), sizes[slot]);
    }
    return reader.read_genotypes();
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
    run.data = read_and_summarise(run.console, input.content);
    run.largest_genotype = clonal::raise_largest_genotype(run.data, run.largest_genotype);
    run.input_name = std::move(input.name);
    input.content.clear();
    input.content.shrink_to_fit();
    open_report(run);
    write_header(run);
}

}  // namespace marsyl::dialogue
