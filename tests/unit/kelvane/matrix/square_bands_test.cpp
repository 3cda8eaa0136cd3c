// The whole rows of the matrix a band at a time, without the matrix, against the matrix itself:
// bands of one row and of a few, under a model whose distances depend on the whole data set
// (missing copies replaced by the locus average), with copies in any order.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "kelvane/analysis/distances.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

TEST(SquareBands, WholeRowsAsTheMatrixHasThem) {
    std::mt19937 generator(21);
    std::uniform_int_distribution<int32_t> allele(0, 6);  // 0: a missing copy
    std::vector<testing::Individual> individuals(23);
    for (testing::Individual& individual : individuals) {
        for (int k = 0; k < 3; ++k) {
            individual.push_back({allele(generator) + 100, allele(generator) + 100});
            if (allele(generator) == 0) {
                individual.back()[1] = 0;
            }
        }
    }
    const MarkerData data = testing::markers(2, individuals);
    for (const char* missing : {"not-counted", "average", "2"}) {
        DistanceInput input;
        input.model.missing = missing;
        const DistanceMatrix matrix = distance_matrix(data, input);
        for (const int64_t cells : {int64_t{1}, int64_t{23 * 4}, int64_t{23 * 23}}) {
            int next = 0;
            for_each_square_band(
                data, input, {},
                [&](const DistanceMatrix& rows) {
                    ASSERT_EQ(rows.first_row(), next);
                    for (int i = rows.first_row(); i < rows.end_row(); ++i) {
                        for (int j = 0; j < data.n_individuals; ++j) {
                            EXPECT_EQ(rows.at(i, j), matrix.at(i, j))
                                << missing << " " << cells << " " << i << " " << j;
                        }
                    }
                    next = rows.end_row();
                },
                cells);
            EXPECT_EQ(next, data.n_individuals) << missing << " " << cells;
        }
    }
}

}  // namespace
}  // namespace kelvane
