// Writing the distance matrix onto a disk that fills up: the values after the failure are not
// formatted in vain (a matrix of 30000 individuals holds 900 million of them).
#include "kelvane/matrix/matrix_export.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>

#include "support/filling_stream.hpp"

namespace kelvane {
namespace {

// Seconds taken to write the matrix in the layout onto a stream that fails after 1000 bytes.
double seconds_onto_full_disk(const DistanceMatrix& matrix,
                              void (*layout)(const DistanceMatrix&, std::ostream&)) {
    FillingBuffer disk(1000);
    std::ostream out(&disk);
    const auto start = std::chrono::steady_clock::now();
    layout(matrix, out);
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(out.bad());
    return taken.count();
}

// 4000 individuals: 16 million values, more than a second of formatting in either layout.
TEST(MatrixExport, NothingMoreIsFormattedOnceTheStreamHasFailed) {
    DistanceMatrix matrix(4000);
    for (int i = 0; i < matrix.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.set_pair(i, j, 1000000 + i + j);
        }
    }
    EXPECT_LT(seconds_onto_full_disk(matrix, write_square), 0.3);
    EXPECT_LT(seconds_onto_full_disk(matrix, write_lower_triangle), 0.3);
}

}  // namespace
}  // namespace kelvane
