// The value-reading rule of the distance matrix import.
#include "matrix_import.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../scratch_folder.hpp"
#include "matrix_export.hpp"

namespace kelvane {
namespace {

struct Import {
    Import(const std::string& file_content, const std::string& answers) {
        scratch.write("matrix.txt", file_content);
        in.str(scratch.path("matrix.txt") + "\n" + answers);
    }

    int run(DistanceMatrix& matrix) {
        clonal::Console console(in, out);
        return import_distance_matrix(console, matrix);
    }

    testing_support::ScratchFolder scratch{"matrix-import"};
    std::istringstream in;
    std::ostringstream out;
};

TEST(MatrixImport, ValuesAreTheLeadingDigitsOfWordsStartingAtADigit) {
    Import import("-3 2.75 1e5 .5 ind12 x,y 7", "2\n");
    DistanceMatrix matrix(4);
    ASSERT_EQ(import.run(matrix), 1);
    EXPECT_EQ(matrix.at(1, 0), 3);
    EXPECT_EQ(matrix.at(2, 0), 2);
    EXPECT_EQ(matrix.at(2, 1), 1);
    EXPECT_EQ(matrix.at(3, 0), 5);
    EXPECT_EQ(matrix.at(3, 1), 12);
    EXPECT_EQ(matrix.at(3, 2), 7);
    EXPECT_EQ(matrix.at(0, 3), 5);
}

TEST(MatrixImport, ValuesBeyondThirtyTwoBitsFailTheImport) {
    Import import("0 2147483648\n3 0\n", "1\n");
    DistanceMatrix matrix(2);
    EXPECT_EQ(import.run(matrix), 0);
    EXPECT_NE(import.out.str().find("ERROR: matrix value too large"), std::string::npos);
}

TEST(MatrixImport, SquareAndLowerTriangleRoundTrip) {
    DistanceMatrix matrix(3);
    matrix.set_pair(1, 0, 4);
    matrix.set_pair(2, 0, 2147483647);
    matrix.set_pair(2, 1, 9);
    for (const char* layout : {"1\n", "2\n"}) {
        std::ostringstream file;
        if (layout[0] == '1') {
            write_square(matrix, file);
        } else {
            write_lower_triangle(matrix, file);
        }
        Import import(file.str(), layout);
        DistanceMatrix back(3);
        ASSERT_EQ(import.run(back), 1);
        EXPECT_EQ(std::vector<int32_t>(back.cells().begin(), back.cells().end()),
                  std::vector<int32_t>(matrix.cells().begin(), matrix.cells().end()));
        EXPECT_EQ(import.out.str().find("BEWARE"), std::string::npos);
    }
}

}  // namespace
}  // namespace kelvane
