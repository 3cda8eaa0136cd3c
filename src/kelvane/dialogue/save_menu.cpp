// The save menu of kelvane: the result files, then the end of the run.
#include "kelvane/dialogue/save_menu.hpp"

#include "common/dialogue/output_file_prompt.hpp"
#include "common/dialogue/separator.hpp"
#include "kelvane/dialogue/histogram_dialogue.hpp"
#include "kelvane/grouping/all_thresholds.hpp"
#include "kelvane/grouping/genotype_files.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/matrix/matrix_export.hpp"

namespace kelvane::dialogue {
namespace {

constexpr const char* kWriteError = "ERROR: Could not write file\n";
constexpr const char* kMatrixWriteError = "ERROR: Could not write to file\n";

bool at_least_zero(int32_t value) {
    return value >= 0;
}

// The threshold prompt, the grouping and its count on the console.
Genotypes group_at_asked_threshold(clonal::Console& console, const DistanceMatrix& matrix) {
    const int32_t threshold = console.ask_int_until("\nGive threshold: ", -1, at_least_zero);
    Genotypes genotypes = genotypes_at_threshold(matrix, threshold);
    console.print("\nnumber of genotypes: %d\n", genotypes.count);
    return genotypes;
}

// A result is never written over the data file: that name is refused as one that cannot be
// written.
clonal::NamedOutputFile ask_file(const KelvaneRun& run, const char* prompt,
                                 const char* error = kWriteError) {
    return clonal::ask_output_file(
        run.console, prompt, error, clonal::WriteMode::kReplace,
        [&run](const std::string& name) { return clonal::same_file(name, run.data_file); });
}

bool close_file(clonal::Console& console, clonal::NamedOutputFile& output) {
    return clonal::close_reporting_failure(output.file, console, kWriteError);
}

bool save_clonal_genotype_file(KelvaneRun& run) {
    const Genotypes genotypes = group_at_asked_threshold(run.console, run.matrix);
    auto output = ask_file(run, "\nGive name of Marsyl file: ");
    write_clonal_genotype_file(run.data, genotypes, output.file.stream());
    return close_file(run.console, output);
}

bool save_genotypes(KelvaneRun& run) {
    const Genotypes genotypes = group_at_asked_threshold(run.console, run.matrix);
    auto output = ask_file(run, "\nGive name of genotypes file: ");
    write_genotypes_file(run.data, genotypes, output.file.stream());
    return close_file(run.console, output);
}

bool save_all_thresholds(KelvaneRun& run) {
    auto output = ask_file(run, "\n\nGive name of big genotypes file: ");
    genotypes_all_thresholds(run.matrix, run.data.ind_names, output.file.stream());
    return close_file(run.console, output);
}

bool save_distance_matrix(KelvaneRun& run) {
    clonal::Console& console = run.console;
    const int32_t layout = console.ask_int_until(
        "\nFormat of distance matrix:\n\t\t1.\tSquare\n\t\t2.\tUnfolded lower triangle\n", 0,
        [](int32_t answer) { return answer == 1 || answer == 2; });
    auto output = ask_file(run, "\nGive name of distance file: ", kMatrixWriteError);
    if (layout == 1) {
        write_square(run.matrix, output.file.stream());
    } else {
        write_lower_triangle(run.matrix, output.file.stream());
    }
    return clonal::close_reporting_failure(output.file, console, kMatrixWriteError);
}

bool save_histogram(KelvaneRun& run) {
    auto output = ask_file(run, "\n\nGive name of histogram file: ");
    distance_histogram(run.console, run.matrix, &output.file.stream());
    return close_file(run.console, output);
}

// Runs save choice 1 to 5; false when its file could not be written.
bool save(KelvaneRun& run, int32_t choice) {
    switch (choice) {
        case 1:
            return save_clonal_genotype_file(run);
        case 2:
            return save_genotypes(run);
        case 3:
            return save_all_thresholds(run);
        case 4:
            return save_distance_matrix(run);
        default:
            return save_histogram(run);
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

}  // namespace kelvane::dialogue
