// The analysis menu of kelvane: histogram, AMOVA, a new distance matrix, or on to the output.
#include <string>

#include "array_utils.hpp"
#include "genotype_operations.hpp"
#include "kelvane_run.hpp"

namespace kelvane {
namespace {

constexpr int32_t kNoChoice = 100;

// The hidden choice 5: the matrix, rows of tab-separated values.
void print_matrix(KelvaneRun& run) {
    const int n = run.matrix.size();
    std::string line;
    for (int i = 0; i < n; ++i) {
        line.clear();
        for (int j = 0; j < n; ++j) {
            if (j > 0) {
                line += '\t';
            }
            line += std::to_string(run.matrix.at(i, j));
        }
        if (i < n - 1) {
            line += '\n';
        }
        run.console.out() << line;
    }
    run.console.print("\n");
}

}  // namespace

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
                print_matrix(run);
                break;
            default:
                break;
        }
    }
}

}  // namespace kelvane
