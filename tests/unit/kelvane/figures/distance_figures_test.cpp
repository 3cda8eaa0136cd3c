// The figures of the distances: a bar for every class of the histogram, the chosen threshold as
// a solid line and each suggested one in a dash and colour of its own, in the histogram and the
// thresholds figure alike; the AMOVA's figure says when there is nothing to draw.
#include <gtest/gtest.h>

#include <cmath>

#include "kelvane/figures/amova_figure.hpp"
#include "kelvane/figures/histogram_figure.hpp"
#include "kelvane/figures/thresholds_figure.hpp"
#include "support/figure_marks.hpp"

namespace kelvane {
namespace {

using namespace clonal::plot;

using testing_support::marks_of;

const ThresholdMarks kMarks{4.0, {{"largest-gap", 3.0}, {"sexual-floor", 7.0}}};

void expect_threshold_lines(const Figure& figure) {
    const auto lines = marks_of<ReferenceLine>(figure);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].at, 3.0);
    EXPECT_EQ(lines[0].dash, Dash::kDashed);
    EXPECT_EQ(lines[0].label, "suggested (largest-gap)");
    EXPECT_EQ(lines[1].at, 7.0);
    // The two suggestions differ in dash and colour.
    EXPECT_EQ(lines[1].dash, Dash::kDotted);
    EXPECT_EQ(lines[1].label, "suggested (sexual-floor)");
    EXPECT_NE(lines[1].colour, lines[0].colour);
    EXPECT_EQ(lines[2].at, 4.0);
    EXPECT_EQ(lines[2].dash, Dash::kSolid);
    EXPECT_EQ(lines[2].label, "threshold 4");
}

TEST(DistanceFigures, TheHistogramHasABarPerClassOverItsDistances) {
    const analysis::DistanceHistogram histogram{{18, 14, 0, 4}, 6.0, 18};
    const Figure figure = histogram_figure(histogram, "steps", kMarks);
    const auto bars = marks_of<Bars>(figure);
    ASSERT_EQ(bars.size(), 2u);
    // Class 0, the pairs at distance 0, left of 0; class k over ((k - 1) w, k w].
    ASSERT_EQ(bars[0].bars.size(), 1u);
    EXPECT_EQ(bars[0].bars[0].from, -6.0);
    EXPECT_EQ(bars[0].bars[0].to, 0.0);
    EXPECT_EQ(bars[0].bars[0].height, 18.0);
    ASSERT_EQ(bars[1].bars.size(), 3u);
    EXPECT_EQ(bars[1].bars[2].from, 12.0);
    EXPECT_EQ(bars[1].bars[2].to, 18.0);
    EXPECT_EQ(bars[1].bars[2].height, 4.0);
    EXPECT_EQ(figure.panels[0].x.title, "Distance (steps)");
    EXPECT_EQ(figure.panels[0].x.tick_unit, 6);
    expect_threshold_lines(figure);
    // Classes of a width that is no whole number take ticks of any round value.
    EXPECT_EQ(histogram_figure({{1, 2, 3}, 2.5, 5}, "steps", {}).panels[0].x.tick_unit, 0);
}

// A threshold beyond the last class is named, not drawn over distances whose pairs are not counted.
TEST(DistanceFigures, AThresholdBeyondTheClassesIsNamedNotDrawn) {
    const analysis::DistanceHistogram histogram{{18, 14, 0, 4}, 2.0, 6};
    const Figure figure = histogram_figure(histogram, "steps", kMarks);
    const auto lines = marks_of<ReferenceLine>(figure);
    ASSERT_EQ(lines.size(), 2u);  // 3 and 4; 7 lies beyond 6
    EXPECT_EQ(lines[0].at, 3.0);
    EXPECT_EQ(lines[1].at, 4.0);
    // Named in the key, after the entries of the marks.
    const std::vector<LegendEntry> legend = legend_entries(figure);
    ASSERT_FALSE(legend.empty());
    EXPECT_EQ(legend.back().label, "suggested (sexual-floor) 7 lies beyond 6");
    EXPECT_EQ(legend.back().swatch, Swatch::kNone);
}

TEST(DistanceFigures, TheThresholdsFigureIsAStepLine) {
    const std::vector<ThresholdCount> counts{{0, 8}, {2, 5}, {4, 4}, {16, 3}};
    const Figure figure = thresholds_figure(counts, "steps", kMarks);
    const auto lines = marks_of<Line>(figure);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].step);
    ASSERT_EQ(lines[0].points.size(), 4u);
    EXPECT_EQ(lines[0].points[3].x, 16.0);
    EXPECT_EQ(lines[0].points[3].y, 3.0);
    expect_threshold_lines(figure);
}

TEST(DistanceFigures, TheAmovaFigureCountsEveryPermutationOnceOrSaysWhyNot) {
    const std::vector<double> permuted{-0.1, 0.0, 0.05, 0.2, 0.2, 0.35};
    const Figure figure = amova_figure(0.3, permuted);
    const auto bars = marks_of<Bars>(figure);
    ASSERT_EQ(bars.size(), 1u);
    double total = 0.0;
    for (const Bar& bar : bars[0].bars) {
        total += bar.height;
    }
    EXPECT_EQ(total, 6.0);
    EXPECT_EQ(marks_of<ReferenceLine>(figure).at(0).at, 0.3);
    EXPECT_TRUE(marks_of<Note>(figure).empty());
    EXPECT_EQ(marks_of<Note>(amova_figure(0.3, {})).at(0).text, "No permutations were run.");
    EXPECT_EQ(marks_of<Note>(amova_figure(std::nan(""), permuted)).at(0).text,
              "Phi-st is not defined for these data.");
}

}  // namespace
}  // namespace kelvane
