// The strict matrix file: every layout read back to the same matrix, every malformed value or
// count refused with its line, real distances read only with a scale.
#include "kelvane/matrix/matrix_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "common/text/tsv_writer.hpp"
#include "kelvane/analysis/distances.hpp"

namespace kelvane {
namespace {

const std::vector<std::string> kNames{"a", "b", "c", "d"};

// The distances a-b 1, a-c 2, b-c 1, a-d 4, b-d 3, c-d 2, as the lower triangle row by row.
const std::vector<int32_t> kLower{1, 2, 1, 4, 3, 2};

std::vector<int32_t> lower_of(const DistanceMatrix& matrix) {
    std::vector<int32_t> values;
    for (int i = 1; i < matrix.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            EXPECT_EQ(matrix.at(i, j), matrix.at(j, i));
            values.push_back(matrix.at(i, j));
        }
    }
    return values;
}

std::vector<int32_t> read(const std::string& content, MatrixFileSettings settings = {}) {
    return lower_of(read_matrix_file(content, kNames, settings));
}

// The line of the error the content gives, or 0 when it is read.
int64_t refused_at(const std::string& content, MatrixFileSettings settings = {}) {
    try {
        read_matrix_file(content, kNames, settings);
    } catch (const clonal::InputError& error) {
        return error.line();
    }
    return 0;
}

TEST(MatrixFile, EveryLayoutReadsTheSameMatrix) {
    EXPECT_EQ(read("0 1 2 4\n1 0 1 3\n2 1 0 2\n4 3 2 0\n"), kLower);
    EXPECT_EQ(read("1\n2 1\n4 3 2\n"), kLower);
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "1 2\r\n1 4 3 2\r\n"),
              kLower);
    // The tables kelvane distances writes, with names, in the data set's order or another.
    EXPECT_EQ(read("individual\ta\tb\tc\td\na\t0\t1\t2\t4\nb\t1\t0\t1\t3\nc\t2\t1\t0\t2\n"
                   "d\t4\t3\t2\t0\n"),
              kLower);
    EXPECT_EQ(read("individual\td\tc\tb\ta\nd\t0\t2\t3\t4\nc\t2\t0\t1\t2\nb\t3\t1\t0\t1\n"
                   "a\t4\t2\t1\t0\n"),
              kLower);
    EXPECT_EQ(read("individual_a\tindividual_b\tdistance\nb\ta\t1\nc\ta\t2\nc\tb\t1\nd\ta\t4\n"
                   "d\tb\t3\nd\tc\t2\n"),
              kLower);
    // Real distances with a scale: multiplied and rounded.
    MatrixFileSettings scaled;
    scaled.scale = 10.0;
    EXPECT_EQ(read("0.1\n0.24\n0.06 0.4 3e-1 0.2\n", scaled),
              (std::vector<int32_t>{1, 2, 1, 4, 3, 2}));
}

// The pairs layout as written for names of every length around the width that is copied in one
// piece (31 to 33 characters with the tab) and far beyond, and names that must be quoted, reads
// back to the matrix.
TEST(MatrixFile, PairsOfAnyNamesReadBack) {
    MarkerData data;
    data.ind_names = {"a", std::string(30, 'b'), std::string(31, 'c'), std::string(32, 'd'),
                      std::string(70, 'e'), "f \"g\"", "h"};
    const int n = static_cast<int>(data.ind_names.size());
    data.n_individuals = n;
    DistanceMatrix matrix(n);
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.at(i, j) = matrix.at(j, i) = i * 1000 + j * (j % 2 == 0 ? 1 : -1);
        }
    }
    std::ostringstream out;
    {
        clonal::TsvWriter tsv(out);
        write_distance_pairs_header(tsv);
        write_distance_pairs(data, matrix, tsv);
        ASSERT_TRUE(tsv.flush());
    }
    const std::string text = out.str();
    EXPECT_EQ(std::ranges::count(text, '\n'), 1 + n * (n - 1) / 2);
    EXPECT_EQ(lower_of(read_matrix_file(text, data.ind_names, {})), lower_of(matrix));
}

TEST(MatrixFile, MalformedContentIsRefusedWithItsLine) {
    EXPECT_EQ(refused_at("1\n-7 1\n4 3 2\n"), 2);     // negative
    EXPECT_EQ(refused_at("1\n2 1\n4 3 7.9\n"), 3);    // not whole
    EXPECT_EQ(refused_at("1\n2 1\n1e308 3 2\n"), 3);  // not whole either
    EXPECT_EQ(refused_at("1\n2 nan\n4 3 2\n"), 2);
    EXPECT_EQ(refused_at("1 2 1 4 3 2 9\n"), 1);  // more values than either layout
    EXPECT_EQ(refused_at("1\n2 1\n4 3 2\n9999999999\n"), 4);
    MatrixFileSettings lower;
    lower.layout = MatrixFileLayout::kLower;
    EXPECT_EQ(refused_at("0 1 2 4\n1 0 1 3\n2 1 0 2\n4 3 2 0\n", lower), 2);  // square as lower
    EXPECT_EQ(refused_at("0 1 2 4\n1 0 1 3\n2 1 0 2\n4 3 3 0\n"), 4);         // not symmetric
    EXPECT_EQ(refused_at("1 1 2 4\n1 0 1 3\n2 1 0 2\n4 3 2 0\n"), 1);         // diagonal
    EXPECT_EQ(refused_at("individual_a\tindividual_b\tdistance\nb\ta\t1\nc\tx\t2\n"), 3);
    EXPECT_EQ(refused_at("individual_a\tindividual_b\tdistance\nb\ta\t1\na\tb\t1\n"), 3);
    EXPECT_EQ(refused_at("individual_a\tindividual_b\tdistance\nb\ta\t1\n"), 2);  // pairs missing
    MatrixFileSettings scaled;
    scaled.scale = 10.0;
    EXPECT_EQ(refused_at("1\n2 1\n4 3 inf\n", scaled), 3);
    scaled.scale = 1e9;
    EXPECT_EQ(refused_at("1\n2 1\n4 3 2\n", scaled), 3);  // 4e9 is beyond 32 bits
    try {
        read_matrix_file("1\n2 1\n4 3 7.9\n", kNames, {});
        ADD_FAILURE() << "a real distance without a scale was read";
    } catch (const clonal::FatalError& error) {
        EXPECT_EQ(error.setting(), "matrix_scale");  // the setting that reads it
    }
}

}  // namespace
}  // namespace kelvane
