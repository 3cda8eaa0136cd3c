// Figures as SVG: every mark the figure holds is drawn, text from the data stays text, long
// curves are thinned without losing their extremes, and pies are cut where their shares say.
#include "plot/svg_render.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <string>

#include "plot/figure_layout.hpp"
#include "plot/number_format.hpp"

namespace clonal::plot {
namespace {

std::string svg_of(const Figure& figure) {
    std::ostringstream out;
    write_svg(figure, out);
    return out.str();
}

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// The (x, y) pairs of the path data of the first element of the class.
std::vector<std::pair<double, double>> path_points(const std::string& svg,
                                                   const std::string& css_class) {
    const std::size_t element = svg.find("class=\"" + css_class + "\" d=\"");
    const std::size_t start = svg.find("d=\"", element) + 3;
    const std::string d = svg.substr(start, svg.find('"', start) - start);
    std::vector<std::pair<double, double>> points;
    std::istringstream in(d);
    char command = 0;
    double x = 0;
    double y = 0;
    while (in >> command >> x >> y) {
        points.emplace_back(x, y);
    }
    return points;
}

TEST(SvgRender, EveryBarAndLineIsDrawnAndNamesStayText) {
    Figure figure;
    figure.title = "Pairs of <script>";
    Panel panel;
    panel.x.title = "Distance (steps)";
    panel.y.title = "Pairs (count)";
    Bars bars{{}, "pairs of <script>alert(1)</script>", 0};
    for (int k = 0; k < 7; ++k) {
        bars.bars.push_back({k * 2.0, k * 2.0 + 2.0, k % 3 == 0 ? 0.0 : 10.0 * k});
    }
    panel.add(bars);
    panel.add(ReferenceLine{5.0, "threshold 5"});
    panel.add(ReferenceLine{9.0, "suggested", Dash::kDashed, "#D55E00"});
    panel.add(ReferenceLine{45.0, "", Dash::kDotted, "#000000", true});
    figure.add_panel(panel);
    const std::string svg = svg_of(figure);
    EXPECT_EQ(occurrences(svg, "class=\"bar\""), 7u);  // bars of height 0 included
    EXPECT_EQ(occurrences(svg, "class=\"reference\""), 3u);
    // The horizontal line across the plot at 45.
    const PanelLayout layout = lay_out(figure).panels.front();
    const std::string y = pixels(layout.y_pixel(45.0));
    EXPECT_NE(svg.find("<line class=\"reference\" x1=\"" + pixels(layout.plot.left) + "\" y1=\"" +
                       y + "\" x2=\"" + pixels(layout.plot.right) + "\" y2=\"" + y + "\""),
              std::string::npos);
    EXPECT_EQ(occurrences(svg, "stroke-dasharray=\"6 4\""), 2u);  // the line and its legend entry
    EXPECT_EQ(occurrences(svg, "class=\"legend-entry\""), 3u);
    EXPECT_EQ(svg.find("<script"), std::string::npos);
    EXPECT_EQ(occurrences(svg, "&lt;script&gt;"), 3u);  // title element, figure title, legend
    EXPECT_EQ(svg, svg_of(figure));
}

TEST(SvgRender, ASingleSeriesHasNoLegend) {
    Figure figure;
    Panel panel;
    panel.add(Line{{{0, 1}, {1, 2}, {2, 1}}, "genotypes"});
    figure.add_panel(panel);
    EXPECT_EQ(svg_of(figure).find("legend"), std::string::npos);
}

TEST(SvgRender, LongCurvesAreThinnedToTheirColumnsKeepingTheirExtremes) {
    Figure figure;
    Panel panel;
    Line line;
    constexpr int kPoints = 20001;
    for (int i = 0; i < kPoints; ++i) {
        line.points.push_back({static_cast<double>(i), std::sin(i * 0.01)});
    }
    line.points[12345].y = 5.0;  // a spike up
    line.points[777].y = -4.0;   // and one down
    panel.add(line);
    figure.add_panel(panel);
    const PanelLayout layout = lay_out(figure).panels.front();
    const auto points = path_points(svg_of(figure), "series");
    EXPECT_LE(points.size(), static_cast<std::size_t>(4 * (layout.plot.width() + 2)));
    double top = INFINITY;
    double bottom = -INFINITY;
    for (const auto& [x, y] : points) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    EXPECT_EQ(pixels(top), pixels(layout.y_pixel(5.0)));
    EXPECT_EQ(pixels(bottom), pixels(layout.y_pixel(-4.0)));
    EXPECT_EQ(points.front().first, std::stod(pixels(layout.x_pixel(0.0))));
    EXPECT_EQ(points.back().first, std::stod(pixels(layout.x_pixel(kPoints - 1.0))));
}

TEST(SvgRender, PieSlicesFollowTheirSharesClockwiseFromTheTop) {
    Figure figure;
    Panel panel;
    panel.x.hidden = true;
    panel.y.hidden = true;
    panel.add(Pie{{0.0, 0.0}, 10.0, {1.0, 1.0, 2.0}, "genotype 1"});
    panel.add(Pie{{1.0, 1.0}, 5.0, {0.0, 3.0}, "genotype 2"});
    figure.add_panel(panel);
    const std::string svg = svg_of(figure);
    const PanelLayout layout = lay_out(figure).panels.front();
    const std::string cx = pixels(layout.x_pixel(0.0));
    const std::string cy = pixels(layout.y_pixel(0.0));
    const auto at = [&](double dx, double dy) {
        return pixels(layout.x_pixel(0.0) + dx) + " " + pixels(layout.y_pixel(0.0) + dy);
    };
    const std::string centre = "M" + cx + " " + cy;
    // A quarter from the top to the right, a quarter down to the bottom, a half back to the top.
    EXPECT_NE(svg.find(centre + "L" + at(0, -10) + "A10 10 0 0 1 " + at(10, 0) + "Z"),
              std::string::npos);
    EXPECT_NE(svg.find(centre + "L" + at(10, 0) + "A10 10 0 0 1 " + at(0, 10) + "Z"),
              std::string::npos);
    EXPECT_NE(svg.find(centre + "L" + at(0, 10) + "A10 10 0 0 1 " + at(0, -10) + "Z"),
              std::string::npos);
    // A pie of one population is a whole circle.
    EXPECT_NE(svg.find("<circle class=\"slice\" cx=\"" + pixels(layout.x_pixel(1.0)) + "\" cy=\"" +
                       pixels(layout.y_pixel(1.0)) + "\" r=\"5\" fill=\"#D55E00\"/>"),
              std::string::npos);
    EXPECT_EQ(occurrences(svg, "<title>genotype"), 2u);
}

TEST(Legend, OneEntryPerSeriesInTheOrderOfFirstAppearance) {
    Figure figure;
    for (int p = 0; p < 2; ++p) {
        Panel panel;
        panel.add(Band{{1, 2}, {0, 0}, {1, 1}, {}, 0});
        panel.add(Line{{{1, 1}}, "Lake", 0});
        panel.add(Line{{{1, 2}}, "River", 1});
        figure.add_panel(panel);
    }
    figure.panels[1].add(Bars{{}, "Lake", 0});
    const std::vector<LegendEntry> entries = legend_entries(figure);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].label, "Lake");
    EXPECT_EQ(entries[0].swatch, Swatch::kLine);
    EXPECT_EQ(entries[1].label, "River");
    EXPECT_EQ(entries[1].dash, series_style(1).dash);
    EXPECT_EQ(entries[2].swatch, Swatch::kBox);
}

// A name too long for the legend is shortened there and shown whole when pointed at, so that two
// long names alike in their start stay apart.
TEST(Legend, ALongNameStaysWholeInTheEntrysTitle) {
    const std::string north(60, 'N');
    Figure figure;
    Panel panel;
    panel.add(Line{{{1, 1}, {2, 2}}, "Lake of the thousand isles " + north, 0});
    panel.add(Line{{{1, 2}, {2, 1}}, "Lake of the thousand isles south", 1});
    figure.add_panel(panel);
    const std::string svg = svg_of(figure);
    EXPECT_NE(svg.find("<title>Lake of the thousand isles " + north + "</title>"),
              std::string::npos);
    EXPECT_EQ(occurrences(svg, "\xE2\x80\xA6"), 1u);  // one label cut, with an ellipsis
    EXPECT_NE(svg.find(">Lake of the thousand isles south</text>"), std::string::npos);
}

// Beyond twelve series the colours come again hatched, each hatching defined once.
TEST(Palette, BeyondTwelveSeriesTheColoursAreHatched) {
    EXPECT_EQ(series_fill(11), std::string(series_style(11).colour));
    EXPECT_EQ(series_fill(12), "url(#hatch-12)");
    EXPECT_EQ(hatched_series("url(#hatch-12)"), std::size_t{12});
    EXPECT_EQ(hatched_series("#0072B2"), std::nullopt);
    EXPECT_NE(hatch_angle(12), hatch_angle(24));
    Figure figure;
    Panel panel;
    panel.add(Pie{{0.0, 0.0}, 10.0, std::vector<double>(14, 1.0), "fourteen populations"});
    figure.add_panel(panel);
    const std::string svg = svg_of(figure);
    EXPECT_EQ(occurrences(svg, "fill=\"url(#hatch-13)\""), 1u);
    EXPECT_EQ(occurrences(svg, "<pattern id=\"hatch-12\""), 1u);
    EXPECT_EQ(occurrences(svg, "<pattern id=\"hatch-13\""), 1u);
    EXPECT_EQ(occurrences(svg, "<pattern"), 2u);
}

// Twelve series, such as the populations of a network's pies, in twelve colours.
TEST(Palette, TwelveSeriesInColoursOfTheirOwn) {
    std::set<std::string_view> colours;
    for (std::size_t i = 0; i < 12; ++i) {
        colours.insert(series_style(i).colour);
    }
    EXPECT_EQ(colours.size(), 12u);
}

}  // namespace
}  // namespace clonal::plot
