// Reading distances as squared Euclidean distances: the extreme eigenvalues behind the test of
// the Euclidean property, and the corrections' constants on a star whose leaves lie 1 from its
// centre and 2 from each other (sqrt of D), which no Euclidean space holds.
#include "kelvane/amova/euclidean_reading.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kelvane/amova/symmetric_eigenvalues.hpp"

namespace kelvane {
namespace {

TEST(EuclideanReading, ExtremeEigenvaluesOfKnownMatrices) {
    // The path Laplacian-like matrix 2 on the diagonal, 1 beside it: 2 + 2 cos(k pi / 6).
    std::vector<double> path(25, 0.0);
    for (int i = 0; i < 5; ++i) {
        path[static_cast<std::size_t>(i * 5 + i)] = 2.0;
        if (i + 1 < 5) {
            path[static_cast<std::size_t>(i * 5 + i + 1)] = 1.0;
            path[static_cast<std::size_t>((i + 1) * 5 + i)] = 1.0;
        }
    }
    const ExtremeEigenvalues of_path = extreme_eigenvalues(path, 5);
    EXPECT_NEAR(of_path.smallest, 2.0 - std::sqrt(3.0), 1e-14);
    EXPECT_NEAR(of_path.largest, 2.0 + std::sqrt(3.0), 1e-14);
    // All ones, dense: n once and 0 n - 1 times.
    std::vector<double> ones(36, 1.0);
    const ExtremeEigenvalues of_ones = extreme_eigenvalues(ones, 6);
    EXPECT_NEAR(of_ones.smallest, 0.0, 1e-14);
    EXPECT_NEAR(of_ones.largest, 6.0, 1e-14);
}

TEST(EuclideanReading, CorrectionsOfAStarAsDefinedAndAsThePeerGivesThem) {
    DistanceMatrix matrix(4);
    for (int leaf = 1; leaf < 4; ++leaf) {
        matrix.set_pair(0, leaf, 1);
        for (int other = 1; other < leaf; ++other) {
            matrix.set_pair(leaf, other, 4);
        }
    }
    const std::vector<int> rows{0, 1, 2, 3};
    const EuclideanValues as_is = euclidean_values(matrix, rows, EuclideanReading::kSqrt);
    EXPECT_EQ(as_is.cells, (std::vector<double>{1, 1, 4, 1, 4, 4}));
    EXPECT_FALSE(is_euclidean(as_is.cells, 4));
    EXPECT_EQ(euclidean_values(matrix, rows, EuclideanReading::kNone).cells,
              (std::vector<double>{1, 1, 16, 1, 16, 16}));
    // Lingoes: the leaves' triangle of side^2 4 + 2c fits a circle of radius^2 1 + 2c when
    // (4 + 2c) / 3 <= 1 + 2c, c = 1/4 (ade4's lingoes prints 0.25).
    const EuclideanValues lingoes = euclidean_values(matrix, rows, EuclideanReading::kLingoes);
    EXPECT_TRUE(lingoes.corrected);
    EXPECT_NEAR(lingoes.constant, 0.25, 1e-13);
    EXPECT_NEAR(lingoes.cells[0], 1.5, 1e-13);
    EXPECT_NEAR(lingoes.cells[2], 4.5, 1e-13);
    // Cailliez: side 2 + c and radius 1 + c when (2 + c) / sqrt(3) <= 1 + c, c = (sqrt(3) - 1) / 2
    // (ade4's cailliez: 0.36602540378443854).
    const EuclideanValues cailliez = euclidean_values(matrix, rows, EuclideanReading::kCailliez);
    const double c = (std::sqrt(3.0) - 1.0) / 2.0;
    EXPECT_NEAR(cailliez.constant, c, 1e-13);
    EXPECT_NEAR(cailliez.cells[0], (1.0 + c) * (1.0 + c), 1e-12);
    EXPECT_NEAR(cailliez.cells[2], (2.0 + c) * (2.0 + c), 1e-12);
    EXPECT_TRUE(is_euclidean(cailliez.cells, 4));
    EXPECT_TRUE(is_euclidean(lingoes.cells, 4));
}

}  // namespace
}  // namespace kelvane
