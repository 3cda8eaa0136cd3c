// Where everything of a figure goes: the size of the page, each panel's plot area with the
// domains and ticks of its axes, and the legend. Margins are made from the widths of the labels
// they hold, so no text runs into another.
#pragma once

#include <string>
#include <vector>

#include "plot/figure.hpp"
#include "plot/ticks.hpp"

namespace clonal::plot {

struct Box {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

// Font sizes in pixels.
inline constexpr double kTitleFont = 15.0;
inline constexpr double kPanelTitleFont = 12.0;
inline constexpr double kAxisTitleFont = 12.0;
inline constexpr double kTickFont = 11.0;
inline constexpr double kLegendFont = 11.0;
// Bold text (the titles) is up to this much wider than the estimate of regular text.
inline constexpr double kBoldWidening = 1.12;

struct AxisLayout {
    bool categorical = false;
    ScaleKind kind = ScaleKind::kLinear;
    Domain domain;
    std::vector<Tick> ticks;  // for a category axis: one per category, its label fitted
    std::string title;        // fitted to the axis's length
    bool hidden = false;
};

struct PanelLayout {
    Box cell;  // the panel's share of the figure
    Box plot;  // the area of the data
    AxisLayout x;
    AxisLayout y;
    std::string title;  // fitted to the panel's width

    // The pixel of a value of the data (for a category axis, the index of its category).
    double x_pixel(double value) const;
    double y_pixel(double value) const;
    bool x_shown(double value) const;
    bool y_shown(double value) const;
};

struct LegendLayout {
    Box box;
    std::vector<LegendEntry> entries;  // labels fitted
    // The whole label of each entry whose label was shortened to fit, else empty: the figure
    // shows it when the reader points at the entry.
    std::vector<std::string> whole_labels;
    double row_height = 18.0;
};

struct FigureLayout {
    double width = 0.0;
    double height = 0.0;
    std::string title;  // fitted to the width
    std::vector<PanelLayout> panels;
    LegendLayout legend;  // no entries: no legend
};

FigureLayout lay_out(const Figure& figure);

}  // namespace clonal::plot
