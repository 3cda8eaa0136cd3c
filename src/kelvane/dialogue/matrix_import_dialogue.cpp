// Importing a distance matrix in the dialogue.
#include "kelvane/dialogue/matrix_import_dialogue.hpp"

#include <string>

#include "common/core/file_io.hpp"
#include "kelvane/dialogue/kelvane_run.hpp"
#include "kelvane/matrix/matrix_import.hpp"

namespace kelvane::dialogue {
namespace {

MatrixLayout ask_layout(clonal::Console& console) {
    const int32_t answer = console.ask_int_until(
        "\nDistance matrix format:\n \t\t1.\t Square\n \t\t2.\t Unfolded lower triangular\n\n",
        kNoChoice, [](int32_t choice) { return choice == 1 || choice == 2; });
    return static_cast<MatrixLayout>(answer);
}

}  // namespace

int import_distance_matrix(clonal::Console& console, DistanceMatrix& matrix) {
    console.print("\n\nGive the name of the distance matrix file: ");
    const std::string name = console.read_line();
    auto content = clonal::read_file(name);
    if (!content) {
        console.print("ERROR: Could not open input-file\n");
        return 0;
    }
    const MatrixLayout layout = ask_layout(console);
    const MatrixImport import = read_distance_matrix(std::move(*content), layout, matrix);
    if (import.error) {
        console.print("ERROR: %s", import.error->c_str());
        return 0;
    }
    if (import.trailing_text) {
        console.print("BEWARE: Text detected after expected end of distance matrix!\n");
        console.print("Kelvane will continue, but use results with caution.\n");
    }
    return 1;
}

}  // namespace kelvane::dialogue
