// The Pareto figure: the points of the fit and a line through them with the slope -beta that
// passes through their centroid, as every least-squares line does.
#include "marsyl/figures/pareto_figure.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "support/figure_marks.hpp"

namespace marsyl {
namespace {

using namespace clonal::plot;

TEST(ParetoFigure, ThePointsAndTheLeastSquaresLineOfEveryRow) {
    // One population of 8 individuals in clones of 4, 2, 1 and 1: at least 1, 2 and 4
    // individuals, shares 1, 6/8 and 4/8. x = log10(1, 2, 4) is evenly spaced, so the slope is
    // (y3 - y1) / (x3 - x1) = log10(1/2) / log10(4) = -1/2.
    clonal::ClonalData data;
    data.populations = 1;
    data.names = {"", "only"};
    data.genotypes = {{}, {1, 1, 1, 1, 2, 2, 3, 4}};
    const Figure figure = pareto_figure(data);
    ASSERT_EQ(figure.panels.size(), 1u);
    const auto points = testing_support::marks_of<Points>(figure);
    const auto lines = testing_support::marks_of<Line>(figure);
    // The population and the total (the same individuals).
    ASSERT_EQ(points.size(), 2u);
    ASSERT_EQ(lines.size(), 2u);
    const double x[] = {0.0, std::log10(2.0), std::log10(4.0)};
    const double y[] = {0.0, std::log10(0.75), std::log10(0.5)};
    ASSERT_EQ(points[0].points.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(points[0].points[static_cast<std::size_t>(i)].x, x[i], 1e-15);
        EXPECT_NEAR(points[0].points[static_cast<std::size_t>(i)].y, y[i], 1e-15);
    }
    const Line& line = lines[0];
    ASSERT_EQ(line.points.size(), 2u);
    EXPECT_NEAR(line.points[0].x, x[0], 1e-15);
    EXPECT_NEAR(line.points[1].x, x[2], 1e-15);
    const double slope =
        (line.points[1].y - line.points[0].y) / (line.points[1].x - line.points[0].x);
    EXPECT_NEAR(slope, -0.5, 1e-12);
    const double mean_x = (x[0] + x[1] + x[2]) / 3;
    const double mean_y = (y[0] + y[1] + y[2]) / 3;
    EXPECT_NEAR(line.points[0].y + slope * (mean_x - line.points[0].x), mean_y, 1e-12);
    EXPECT_EQ(figure.legend.at(0).label, "only (beta 0.5)");
}

TEST(ParetoFigure, ARowOfOneCloneSizeHasItsPointButNoLine) {
    clonal::ClonalData data;
    data.populations = 2;
    data.names = {"", "even", "mixed"};
    data.genotypes = {{}, {1, 2, 3}, {4, 4, 5}};
    const Figure figure = pareto_figure(data);
    EXPECT_EQ(testing_support::marks_of<Line>(figure).size(), 2u);  // mixed and the total
    EXPECT_EQ(figure.legend.at(0).label, "even (no fit)");
    EXPECT_EQ(figure.legend.at(0).swatch, Swatch::kMarker);
}

}  // namespace
}  // namespace marsyl
