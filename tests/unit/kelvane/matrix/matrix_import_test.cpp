// The value-reading rule of the distance matrix import, its rejections and the round trip with
// the export.
#include "kelvane/matrix/matrix_import.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "kelvane/matrix/matrix_export.hpp"

namespace kelvane {
namespace {

std::vector<int32_t> cells(const DistanceMatrix& matrix) {
    return std::vector<int32_t>(matrix.cells().begin(), matrix.cells().end());
}

TEST(MatrixImport, ValuesAreTheLeadingDigitsOfWordsStartingAtADigit) {
    DistanceMatrix matrix(4);
    const MatrixImport import =
        read_distance_matrix("-3 2.75 1e5 .5 ind12 x,y 7", MatrixLayout::kLowerTriangle, matrix);
    ASSERT_FALSE(import.error);
    EXPECT_FALSE(import.trailing_text);
    EXPECT_EQ(matrix.at(1, 0), 3);
    EXPECT_EQ(matrix.at(2, 0), 2);
    EXPECT_EQ(matrix.at(2, 1), 1);
    EXPECT_EQ(matrix.at(3, 0), 5);
    EXPECT_EQ(matrix.at(3, 1), 12);
    EXPECT_EQ(matrix.at(3, 2), 7);
    EXPECT_EQ(matrix.at(0, 3), 5);
}

TEST(MatrixImport, RejectionsComeBackAsValues) {
    DistanceMatrix matrix(2);
    EXPECT_EQ(read_distance_matrix("0 2147483648\n3 0\n", MatrixLayout::kSquare, matrix).error,
              "matrix value too large");
    EXPECT_EQ(read_distance_matrix("0 1\n1 5\n", MatrixLayout::kSquare, matrix).error,
              "diagonal should consist of zeros");
    EXPECT_EQ(read_distance_matrix("0 1 1", MatrixLayout::kSquare, matrix).error,
              "wrong number of individuals");
    // Punctuation after the last value passes; a letter or a digit is worth a warning.
    EXPECT_FALSE(
        read_distance_matrix("4 .;\n", MatrixLayout::kLowerTriangle, matrix).trailing_text);
    const MatrixImport trailing =
        read_distance_matrix("4 end", MatrixLayout::kLowerTriangle, matrix);
    EXPECT_FALSE(trailing.error);
    EXPECT_TRUE(trailing.trailing_text);
}

TEST(MatrixImport, SquareAndLowerTriangleRoundTrip) {
    DistanceMatrix matrix(3);
    matrix.set_pair(1, 0, 4);
    matrix.set_pair(2, 0, 2147483647);
    matrix.set_pair(2, 1, 9);
    for (const MatrixLayout layout : {MatrixLayout::kSquare, MatrixLayout::kLowerTriangle}) {
        std::ostringstream file;
        if (layout == MatrixLayout::kSquare) {
            write_square(matrix, file);
        } else {
            write_lower_triangle(matrix, file);
        }
        DistanceMatrix back(3);
        const MatrixImport import = read_distance_matrix(file.str(), layout, back);
        ASSERT_FALSE(import.error);
        EXPECT_FALSE(import.trailing_text);
        EXPECT_EQ(cells(back), cells(matrix));
    }
}

}  // namespace
}  // namespace kelvane
