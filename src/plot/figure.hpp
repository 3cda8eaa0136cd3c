// A figure as data: panels with two axes and the marks drawn in them, a title and a legend that
// is made from the labelled marks. Figures are built by the commands from their results and
// written by svg_render.hpp; nothing else writes SVG.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "plot/palette.hpp"
#include "plot/scale.hpp"

namespace clonal::plot {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// Vertical bars standing on zero, each over [from, to] of the x axis.
struct Bar {
    double from = 0.0;
    double to = 0.0;
    double height = 0.0;
};
struct Bars {
    std::vector<Bar> bars;
    std::string label;
    std::size_t series = 0;
};

// A polyline through the points in their order; a step line holds each value up to the next
// point's x. Markers are drawn at the points when asked.
struct Line {
    std::vector<Point> points;
    std::string label;
    std::size_t series = 0;
    bool step = false;
    bool markers = false;
};

// Markers alone, in the series' shape and colour, or another colour given (such as grey for
// the points that belong to no named group).
struct Points {
    std::vector<Point> points;
    std::string label;
    std::size_t series = 0;
    std::string colour;  // empty: the series' colour
};

// The area between a lower and an upper value at each x, lightly filled.
struct Band {
    std::vector<double> x;
    std::vector<double> low;
    std::vector<double> high;
    std::string label;
    std::size_t series = 0;
};

// A line across the whole plot at a value: a vertical line at x = at (a threshold the reader
// chose or one suggested), or a horizontal one at y = at (a level to compare with).
struct ReferenceLine {
    double at = 0.0;
    std::string label;
    Dash dash = Dash::kSolid;
    std::string colour{kInk};
    bool horizontal = false;
};

// A pie at a point of the data: slice i has the colour of series i and a share counts[i] of the
// whole; radius in pixels. The label names the pie to a reader who points at it.
struct Pie {
    Point centre;
    double radius = 4.0;
    std::vector<double> counts;
    std::string label;
};

// A straight line between two points of the data, width in pixels.
struct Edge {
    Point from;
    Point to;
    double width = 1.0;
    std::string label;
};

// A cell of a grid whose axes are both category axes: column i of the x axis and row j of the y
// axis, filled with a colour (a heat map). The label names the cell to a reader who points at it.
struct Tile {
    std::size_t column = 0;
    std::size_t row = 0;
    std::string colour;
    std::string label;
};

// A sentence in the middle of the plot, for a panel that has nothing to show and says why.
struct Note {
    std::string text;
};

using Mark = std::variant<Bars, Line, Points, Band, ReferenceLine, Pie, Edge, Tile, Note>;

struct Axis {
    std::string title;  // what is shown, with its unit: "Distance (steps)"
    ScaleKind scale = ScaleKind::kLinear;
    std::optional<double> low;  // fixed ends; otherwise the extent of the marks
    std::optional<double> high;
    bool include_zero = false;
    bool integers = false;             // ticks at whole numbers only
    bool nice = true;                  // the ends widened to the ticks around them
    std::optional<double> first_tick;  // no ticks below it (the ends may lie lower)
    int64_t tick_unit = 0;  // ticks at round multiples of this whole number only (0: any)
    // Not empty: a category axis, value i standing for categories[i], the first at the top of a
    // y axis or at the left of an x axis.
    std::vector<std::string> categories;
    bool hidden = false;  // no line, ticks or title (a network, whose positions mean nothing)
};

struct Panel {
    std::string title;
    Axis x;
    Axis y;
    std::vector<Mark> marks;

    Panel& add(Mark mark) {
        marks.push_back(std::move(mark));
        return *this;
    }
};

// What a legend entry shows beside its label; kNone: the label alone, a line of the figure's key
// (such as the sizes of pies), which comes after the entries of the marks.
enum class Swatch { kBox, kLine, kMarker, kLineAndMarker, kNone };

struct LegendEntry {
    std::string label;
    Swatch swatch = Swatch::kBox;
    std::string colour;
    Dash dash = Dash::kSolid;
    Marker marker = Marker::kCircle;
};

// A line of the figure's key: text in the legend without a swatch.
inline LegendEntry key_line(std::string text) {
    LegendEntry entry;
    entry.label = std::move(text);
    entry.swatch = Swatch::kNone;
    return entry;
}

struct Figure {
    std::string title;
    std::string description;  // a sentence for readers who cannot see the figure
    std::vector<Panel> panels;
    int columns = 1;
    double panel_width = 640.0;
    double panel_height = 340.0;
    // Entries beyond those of the labelled marks, such as the populations of the slices of pies.
    std::vector<LegendEntry> legend;

    Panel& add_panel(Panel panel) {
        panels.push_back(std::move(panel));
        return panels.back();
    }
};

// The legend of a figure: its own entries, then one per distinct labelled mark (the same label,
// swatch and style once only) in the order they appear. Drawn when it has two or more entries.
std::vector<LegendEntry> legend_entries(const Figure& figure);

}  // namespace clonal::plot
