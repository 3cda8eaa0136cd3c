// Asking for the number of permutations and the permutations file.
#include "marsyl/dialogue/permutations_prompt.hpp"

#include <string>

#include "common/dialogue/output_file_prompt.hpp"

namespace marsyl::dialogue {
namespace {

// An answer without a number, or below 1, would leave no permutation to count the observed
// data in, so the question is asked again.
int32_t ask_count(clonal::Console& console) {
    int32_t count = 0;
    do {
        console.print("\nGive the number of permutations: ");
        count = 0;
        console.read_int(count);
    } while (count < 1);
    return count;
}

// Replacing the report would wipe it while it is written to, and the input the data it holds.
void choose_permutations_file(MarsylRun& run) {
    run.permutations.adopt(clonal::ask_output_file(
        run.console, "\nGive name of permutations file: ", kPermutationsWriteError,
        clonal::WriteMode::kReplace, [&run](const std::string& name) { return run.in_use(name); }));
}

}  // namespace

int32_t ask_permutations(MarsylRun& run, OfferFile offer_file) {
    const int32_t count = ask_count(run.console);
    if (offer_file == OfferFile::kNo) {
        return count;
    }
    for (;;) {
        run.console.print("\nDo you want to save the permuted values to a file (y/n)?");
        const char answer = run.console.read_first_char();
        if (answer == 'y' || answer == 'Y') {
            run.permutations.close(run.console);
            choose_permutations_file(run);
            return count;
        }
        if (answer == 'n' || answer == 'N') {
            run.permutations.close(run.console);
            return count;
        }
    }
}

int32_t start_resampling(MarsylRun& run, const char* heading, OfferFile offer_file,
                         const char* working) {
    run.console.print("%s", heading);
    run.reseed_unless_user_seeds();
    const int32_t permutations = ask_permutations(run, offer_file);
    run.console.print("%s", working);
    return permutations;
}

void finish_resampling(MarsylRun& run) {
    run.report.flush(run.console);
    run.permutations.flush(run.console);
    run.wait_for_enter("\nCalculations finished, press ENTER to proceed: ");
}

analysis::PairStarted pair_heading(MarsylRun& run, const char* lead) {
    return [&run, lead](int32_t a, int32_t b) {
        const char* name_a = run.data.names[static_cast<std::size_t>(a)].c_str();
        const char* name_b = run.data.names[static_cast<std::size_t>(b)].c_str();
        if (std::ostream* permutations_file = run.permutations_stream()) {
            clonal::print(*permutations_file, "\n%s vs. %s\n", name_a, name_b);
        }
        run.console.print("%s%s vs. %s\n", lead, name_a, name_b);
    };
}

}  // namespace marsyl::dialogue
