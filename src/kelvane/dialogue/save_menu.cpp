// The save menu of kelvane: the result files, then the end of the run.
#include "array_utils.hpp"
#include "genotype_operations.hpp"
#include "kelvane_run.hpp"
#include "matrix_export.hpp"

namespace kelvane {
namespace {

constexpr int32_t kNoChoice = 100;

// Runs save choice 1 to 5; false when its file could not be written.
bool save(KelvaneRun& run, int32_t choice) {
    switch (choice) {
        case 1:
            return save_clonal_genotype_file(run.console, run.matrix, run.data);
        case 2:
            return save_genotypes(run.console, run.matrix, run.data);
        case 3:
            return save_all_thresholds(run.console, run.matrix, run.data);
        case 4:
            return save_distance_matrix(run.console, run.matrix);
        default:
            return save_histogram(run.console, run.matrix);
    }
}

}  // namespace

void save_menu(KelvaneRun& run) {
    clonal::Console& console = run.console;
    int32_t choice = kNoChoice;
    while (choice != 6) {
        clonal::print_separator(console.out());
        console.print("\nSave data:\n");
        console.print("\t\t1.\t Save Marsyl input (given a certain threshold)\n");
        console.print("\t\t2.\t Save genotypes (given a certain threshold)\n");
        console.print("\t\t3.\t Save genotypes for all thresholds\n");
        console.print("\t\t4.\t Save distance matrix\n");
        console.print("\t\t5.\t Save histogram\n");
        console.print("\t\t6.\t Exit\n");
        console.read_int(choice);
        // A file that could not be written is reported by its save option, not confirmed.
        if (choice >= 1 && choice <= 5 && save(run, choice)) {
            console.print("\nOutputfile written to disk\n");
        }
    }
}

}  // namespace kelvane
