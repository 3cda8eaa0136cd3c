// Writing the distance matrix to a text file.
#include "matrix_export.hpp"

#include "output_file_prompt.hpp"
#include "printf.hpp"

namespace kelvane {

// A stream that failed (a full disk) takes no more rows: the failure is reported when the file is
// closed, and the rest of the matrix would only be formatted in vain.

void write_square(const DistanceMatrix& matrix, std::ostream& out) {
    const int n = matrix.size();
    for (int i = 0; i < n && out.good(); ++i) {
        for (int j = 0; j < n; ++j) {
            clonal::print(out, j == 0 ? "%d" : "\t%d", matrix.at(i, j));
        }
        if (i < n - 1) {
            out << '\n';
        }
    }
}

void write_lower_triangle(const DistanceMatrix& matrix, std::ostream& out) {
    const int n = matrix.size();
    for (int i = 0; i < n && out.good(); ++i) {
        for (int j = 0; j < i; ++j) {
            clonal::print(out, "%d\n", matrix.at(i, j));
        }
    }
}

bool save_distance_matrix(clonal::Console& console, const DistanceMatrix& matrix) {
    constexpr const char* kWriteError = "ERROR: Could not write to file\n";
    int32_t layout = 0;
    while (layout != 1 && layout != 2) {
        console.print("\nFormat of distance matrix:\n");
        console.print("\t\t1.\tSquare\n");
        console.print("\t\t2.\tUnfolded lower triangle\n");
        console.read_int(layout);
    }
    auto output = clonal::ask_output_file(console, "\nGive name of distance file: ", kWriteError,
                                          clonal::WriteMode::kReplace);
    if (layout == 1) {
        write_square(matrix, output.file.stream());
    } else {
        write_lower_triangle(matrix, output.file.stream());
    }
    return clonal::close_reporting_failure(output.file, console, kWriteError);
}

}  // namespace kelvane
