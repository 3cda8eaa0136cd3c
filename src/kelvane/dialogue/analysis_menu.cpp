// The analysis menu of kelvane: histogram, AMOVA, a new distance matrix, or on to the output.
#include "kelvane/dialogue/analysis_menu.hpp"

#include "common/dialogue/separator.hpp"
#include "kelvane/dialogue/amova_dialogue.hpp"
#include "kelvane/dialogue/distance_menu.hpp"
#include "kelvane/dialogue/histogram_dialogue.hpp"
#include "kelvane/matrix/matrix_export.hpp"

namespace kelvane::dialogue {
void analysis_menu(KelvaneRun& run) {
    clonal::Console& console = run.console;
    int32_t choice = kNoChoice;
    while (choice != 4) {
        console.print("\n");
        clonal::print_separator(console.out());
        console.print("\nAnalysis to perform:\n");
        console.print("\t1.\t Histogram of distances for genotype assignment\n");
        console.print("\t2.\t Simple AMOVA\n");
        console.print("\t3.\t Calculate new distance matrix\n\n");
        console.print("\t4.\t Proceed to output options\n");
        console.read_int(choice);
        switch (choice) {
            case 1:
                distance_histogram(console, run.matrix, nullptr);
                break;
            case 2:
                simple_amova(console, run.random, run.matrix, run.data.pop_vector,
                             run.data.n_populations);
                break;
            case 3:
                distance_menu(run);
                choice = kNoChoice;
                break;
            case 5:
                // The hidden choice: the matrix, rows of tab-separated values.
                write_square(run.matrix, console.out());
                console.print("\n");
                break;
            default:
                break;
        }
    }
}

}  // namespace kelvane::dialogue
