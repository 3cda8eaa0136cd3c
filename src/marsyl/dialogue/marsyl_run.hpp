// What one run of marsyl owns from its start to its end: the console, the local clock, the
// generator and whether the user has set its seeds, the loaded clonal data set with the largest
// genotype number, and the report and permutations files. The dialogue owns one and hands it to
// every menu choice.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "clonal_genotype_file.hpp"
#include "console.hpp"
#include "random.hpp"
#include "result_files.hpp"

namespace marsyl {

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
};

// The steps of the dialogue and the menu choices, each working on the run.
void open_files(MarsylRun& run);
void analysis_menu(MarsylRun& run);
void clonal_diversity_table(MarsylRun& run);
void bootstrap_test(MarsylRun& run);
void differentiation_test(MarsylRun& run);
void jackknife(MarsylRun& run);
void write_fstat_file(MarsylRun& run);
void set_seeds(MarsylRun& run);

// Prints the prompt to go on and waits for the user's line.
void wait_for_enter(MarsylRun& run, const char* prompt);

}  // namespace marsyl
