// Writing the distance matrix as text.
#include "kelvane/matrix/matrix_export.hpp"

#include "common/text/buffered_text.hpp"

namespace kelvane {

// A stream that failed (a full disk) takes no more rows: the failure is reported when the file is
// closed, and the rest of the matrix would only be formatted in vain.

void write_square(const DistanceMatrix& matrix, std::ostream& out) {
    clonal::BufferedText text(out);
    const int n = matrix.size();
    for (int i = 0; i < n && text.good(); ++i) {
        for (int j = 0; j < n; ++j) {
            if (j > 0) {
                text.append("\t");
            }
            text.append_number(matrix.at(i, j));
        }
        if (i < n - 1) {
            text.append("\n");
        }
    }
}

void write_lower_triangle(const DistanceMatrix& matrix, std::ostream& out) {
    clonal::BufferedText text(out);
    const int n = matrix.size();
    for (int i = 0; i < n && text.good(); ++i) {
        for (int j = 0; j < i; ++j) {
            text.append_number(matrix.at(i, j));
            text.append("\n");
        }
    }
}

}  // namespace kelvane
