// What one run of marsyl owns from its start to its end: the console, the local clock, the
// generator and whether the user has set its seeds, the loaded clonal data set with the largest
// genotype number, and the report and permutations files. The dialogue owns one and hands it to
// every menu choice.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "common/core/clonal_genotype_file.hpp"
#include "common/core/random.hpp"
#include "common/dialogue/console.hpp"
#include "common/dialogue/output_file_prompt.hpp"
#include "marsyl/dialogue/result_files.hpp"

namespace marsyl::dialogue {

// The local date and time, asked afresh at each use.
using LocalClock = std::function<std::tm()>;

struct MarsylRun {
    MarsylRun(clonal::Console& console_in, LocalClock clock_in)
        : console(console_in), clock(std::move(clock_in)) {}

    clonal::Console& console;
    LocalClock clock;
    clonal::Random random;
    bool user_seeds = false;
    clonal::ClonalData data;
    int32_t largest_genotype = 0;
    std::string input_name;
    ResultFile report{kReportWriteError};
    ResultFile permutations{kPermutationsWriteError};

    // Until the user sets the seeds, each analysis draws from seeds taken from the clock.
    void reseed_unless_user_seeds() {
        if (!user_seeds) {
            clonal::seed_from_clock(random, clock());
        }
    }

    // The permutations file while the user wants the permuted values, or nothing.
    std::ostream* permutations_stream() {
        return permutations.is_open() ? &permutations.stream() : nullptr;
    }

    // Whether a result named so would replace a file the run uses: the report it writes to, or
    // the input whose data it analyses.
    bool in_use(const std::string& name) const {
        return report.holds(name) || clonal::same_file(name, input_name);
    }

    // Prints the prompt to go on and waits for the user's line.
    void wait_for_enter(const char* prompt) {
        console.print("%s", prompt);
        console.read_line();
    }
};

}  // namespace marsyl::dialogue
