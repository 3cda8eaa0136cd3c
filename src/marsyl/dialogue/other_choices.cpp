// The FSTAT export and the user's seeds.
#include "marsyl/dialogue/other_choices.hpp"

#include "common/dialogue/output_file_prompt.hpp"
#include "common/text/printf.hpp"
#include "marsyl/core/fstat_writer.hpp"
#include "marsyl/core/user_seeds.hpp"

namespace marsyl::dialogue {
namespace {

int32_t read_seed(MarsylRun& run, const char* prompt) {
    run.console.print("%s", prompt);
    return seed_from_answer(run.console.read_line());
}

}  // namespace

void write_fstat_file(MarsylRun& run) {
    clonal::Console& console = run.console;
    console.print("\nWrite input-file in Fstat-format\n");
    // Replacing the report would wipe it while it is written to, and the input the data it holds.
    clonal::NamedOutputFile output = clonal::ask_output_file(
        console, "\nGive name of fstat file (format FILENAME.DAT): ", kReportWriteError,
        clonal::WriteMode::kReplace, [&run](const std::string& name) { return run.in_use(name); });
    write_fstat_records(run.data, run.largest_genotype, output.file.stream());
    clonal::close_reporting_failure(output.file, console, kReportWriteError);
    run.wait_for_enter("\nConversion finished, press ENTER to proceed: ");
}

void set_seeds(MarsylRun& run) {
    const int32_t seed1 = read_seed(run, "Give 1st seed for random numbers:\t");
    const int32_t seed2 = read_seed(run, "Give 2nd seed for random numbers:\t");
    run.random.set_seeds(seed1, seed2);
    std::ostream& report = run.report.stream();
    report << "\n\nRandom number generator seeds set by user\n";
    clonal::print(report, "\tseed 1: %d\n", seed1);
    clonal::print(report, "\tseed 2: %d\n", seed2);
    // The seeds reach the report before the wait, so that they stay there however the run ends.
    run.report.flush(run.console);
    run.wait_for_enter("\nSeeds set, press ENTER to proceed: ");
    run.user_seeds = true;
}

}  // namespace marsyl::dialogue
