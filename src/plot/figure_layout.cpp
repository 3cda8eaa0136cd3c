// The layout of a figure.
#include "plot/figure_layout.hpp"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "plot/text_metrics.hpp"

namespace clonal::plot {
namespace {

constexpr double kPadding = 10.0;
constexpr double kTitleBand = 34.0;
constexpr double kTickLength = 5.0;
constexpr double kLabelGap = 8.0;  // from the plot edge to a y tick label
constexpr double kCategoryPitch = 18.0;
constexpr double kLongestCategoryLabel = 160.0;
constexpr double kLongestLegendLabel = 260.0;
constexpr double kSwatchWidth = 24.0;
// Share of the span added on each side of an axis that shows no ticks.
constexpr double kHiddenAxisMargin = 0.08;

struct Extent {
    double low = INFINITY;
    double high = -INFINITY;

    void add(double value, ScaleKind kind) {
        if (!std::isfinite(value) || (kind == ScaleKind::kLog && value <= 0.0)) {
            return;
        }
        low = std::min(low, value);
        high = std::max(high, value);
    }
    bool empty() const { return low > high; }
};

// The values of the marks along one axis.
Extent extent_of(const Panel& panel, bool along_x, ScaleKind kind) {
    Extent extent;
    for (const Mark& mark : panel.marks) {
        std::visit(
            [&](const auto& m) {
                using M = std::decay_t<decltype(m)>;
                if constexpr (std::is_same_v<M, Bars>) {
                    for (const Bar& bar : m.bars) {
                        if (along_x) {
                            extent.add(bar.from, kind);
                            extent.add(bar.to, kind);
                        } else {
                            extent.add(0.0, kind);
                            extent.add(bar.height, kind);
                        }
                    }
                } else if constexpr (std::is_same_v<M, Line> || std::is_same_v<M, Points>) {
                    for (const Point& point : m.points) {
                        extent.add(along_x ? point.x : point.y, kind);
                    }
                } else if constexpr (std::is_same_v<M, Band>) {
                    if (along_x) {
                        for (const double x : m.x) {
                            extent.add(x, kind);
                        }
                    } else {
                        for (std::size_t i = 0; i < m.low.size(); ++i) {
                            extent.add(m.low[i], kind);
                            extent.add(m.high[i], kind);
                        }
                    }
                } else if constexpr (std::is_same_v<M, ReferenceLine>) {
                    if (along_x != m.horizontal) {
                        extent.add(m.at, kind);
                    }
                } else if constexpr (std::is_same_v<M, Pie>) {
                    extent.add(along_x ? m.centre.x : m.centre.y, kind);
                } else if constexpr (std::is_same_v<M, Edge>) {
                    extent.add(along_x ? m.from.x : m.from.y, kind);
                    extent.add(along_x ? m.to.x : m.to.y, kind);
                }
            },
            mark);
    }
    return extent;
}

Domain data_domain(const Panel& panel, const Axis& axis, bool along_x) {
    Extent extent = extent_of(panel, along_x, axis.scale);
    if (axis.include_zero) {
        extent.add(0.0, axis.scale);
    }
    Domain domain = extent.empty()
                        ? (axis.scale == ScaleKind::kLog ? Domain{1.0, 10.0} : Domain{0.0, 1.0})
                        : Domain{extent.low, extent.high};
    if (axis.low && (axis.scale == ScaleKind::kLinear || *axis.low > 0.0)) {
        domain.low = *axis.low;
    }
    if (axis.high) {
        domain.high = *axis.high;
    }
    domain = widened(domain, axis.scale);
    if (axis.hidden && axis.scale == ScaleKind::kLinear) {
        const double margin = (domain.high - domain.low) * kHiddenAxisMargin;
        domain = {domain.low - margin, domain.high + margin};
    }
    return domain;
}

double widest_label(const std::vector<Tick>& ticks, double font_size) {
    double widest = 0.0;
    for (const Tick& tick : ticks) {
        widest = std::max(widest, text_width(tick.label, font_size));
    }
    return widest;
}

std::vector<Tick> category_ticks(const Axis& axis) {
    std::vector<Tick> ticks;
    for (std::size_t i = 0; i < axis.categories.size(); ++i) {
        ticks.push_back({static_cast<double>(i),
                         fit_text(axis.categories[i], kLongestCategoryLabel, kTickFont)});
    }
    return ticks;
}

// The axis laid out along length pixels: a category axis, or ticks from the data.
AxisLayout axis_layout(const Panel& panel, const Axis& axis, bool along_x, double length) {
    AxisLayout layout;
    layout.hidden = axis.hidden;
    layout.kind = axis.scale;
    if (!axis.categories.empty()) {
        layout.categorical = true;
        layout.kind = ScaleKind::kLinear;
        layout.domain = {0.0, static_cast<double>(axis.categories.size())};
        layout.ticks = category_ticks(axis);
        return layout;
    }
    const Domain domain = data_domain(panel, axis, along_x);
    if (axis.hidden) {
        layout.domain = domain;
        return layout;
    }
    TickRequest request;
    request.kind = axis.scale;
    request.domain = domain;
    request.length = std::max(length, 1.0);
    request.direction = along_x ? Direction::kHorizontal : Direction::kVertical;
    request.font_size = kTickFont;
    request.integers = axis.integers;
    request.nice = axis.nice;
    request.unit = axis.tick_unit;
    TickChoice choice = choose_ticks(request);
    layout.domain = choice.domain;
    for (Tick& tick : choice.ticks) {
        if (!axis.first_tick || tick.value >= *axis.first_tick) {
            layout.ticks.push_back(std::move(tick));
        }
    }
    return layout;
}

// The height a panel needs: its own, or more for a y axis of many categories.
double panel_height(const Figure& figure, const Panel& panel) {
    const double categories = static_cast<double>(panel.y.categories.size());
    const double needed = categories * kCategoryPitch + 70.0;
    return std::max(figure.panel_height, needed);
}

PanelLayout panel_layout(const Panel& panel, const Box& cell) {
    PanelLayout layout;
    layout.cell = cell;
    layout.title =
        fit_text(panel.title, (cell.width() - 2 * kPadding) / kBoldWidening, kPanelTitleFont);
    const double top = panel.title.empty() ? 12.0 : 28.0;
    double bottom = 10.0;
    if (!panel.x.hidden) {
        bottom = kTickLength + 3.0 + kTickFont + 6.0;
        if (!panel.x.title.empty()) {
            bottom += kAxisTitleFont + 8.0;
        }
    }
    layout.plot.top = cell.top + top;
    layout.plot.bottom = cell.bottom - bottom;
    layout.y = axis_layout(panel, panel.y, false, layout.plot.height());

    double left = kPadding;
    if (!panel.y.hidden) {
        left += widest_label(layout.y.ticks, kTickFont) + kLabelGap + 4.0;
        if (!panel.y.title.empty()) {
            left += kAxisTitleFont + 8.0;
        }
    }
    layout.plot.left = cell.left + left;
    // The last x label is centred on the plot's right edge: the right margin holds half of it.
    double right = 14.0;
    for (int round = 0; round < 3; ++round) {
        layout.plot.right = cell.right - right;
        layout.x = axis_layout(panel, panel.x, true, layout.plot.width());
        const double half_last =
            layout.x.ticks.empty() ? 0.0 : text_width(layout.x.ticks.back().label, kTickFont) / 2;
        if (layout.x.categorical || half_last + 4.0 <= right) {
            break;
        }
        right = half_last + 4.0;
    }
    layout.x.title = fit_text(panel.x.title, layout.plot.width(), kAxisTitleFont);
    layout.y.title = fit_text(panel.y.title, layout.plot.height(), kAxisTitleFont);
    return layout;
}

LegendLayout legend_layout(const Figure& figure, double left, double top) {
    LegendLayout legend;
    const std::vector<LegendEntry> entries = legend_entries(figure);
    if (entries.size() < 2) {
        return legend;
    }
    double widest = 0.0;
    for (LegendEntry entry : entries) {
        std::string fitted = fit_text(entry.label, kLongestLegendLabel, kLegendFont);
        legend.whole_labels.push_back(fitted == entry.label ? std::string() : entry.label);
        entry.label = std::move(fitted);
        widest = std::max(widest, text_width(entry.label, kLegendFont));
        legend.entries.push_back(std::move(entry));
    }
    legend.box.left = left;
    legend.box.top = top;
    legend.box.right = left + kSwatchWidth + 6.0 + widest + kPadding;
    legend.box.bottom = top + legend.row_height * static_cast<double>(entries.size());
    return legend;
}

}  // namespace

double PanelLayout::x_pixel(double value) const {
    if (x.categorical) {
        return BandScale(x.ticks.size(), plot.left, plot.right)
            .centre(static_cast<std::size_t>(value));
    }
    return Scale(x.kind, x.domain, plot.left, plot.right)(value);
}

double PanelLayout::y_pixel(double value) const {
    if (y.categorical) {
        return BandScale(y.ticks.size(), plot.top, plot.bottom)
            .centre(static_cast<std::size_t>(value));
    }
    return Scale(y.kind, y.domain, plot.bottom, plot.top)(value);
}

bool PanelLayout::x_shown(double value) const {
    if (x.categorical) {
        return value >= 0.0 && value < static_cast<double>(x.ticks.size());
    }
    return Scale(x.kind, x.domain, plot.left, plot.right).contains(value);
}

bool PanelLayout::y_shown(double value) const {
    if (y.categorical) {
        return value >= 0.0 && value < static_cast<double>(y.ticks.size());
    }
    return Scale(y.kind, y.domain, plot.bottom, plot.top).contains(value);
}

FigureLayout lay_out(const Figure& figure) {
    FigureLayout layout;
    const auto columns = static_cast<std::size_t>(std::max(figure.columns, 1));
    const double top = figure.title.empty() ? kPadding : kTitleBand;
    double row_top = top;
    double panels_right = kPadding + static_cast<double>(columns) * figure.panel_width;
    for (std::size_t first = 0; first < figure.panels.size(); first += columns) {
        const std::size_t last = std::min(first + columns, figure.panels.size());
        double height = 0.0;
        for (std::size_t p = first; p < last; ++p) {
            height = std::max(height, panel_height(figure, figure.panels[p]));
        }
        for (std::size_t p = first; p < last; ++p) {
            const double left = kPadding + static_cast<double>(p - first) * figure.panel_width;
            const Box cell{left, row_top, left + figure.panel_width, row_top + height};
            layout.panels.push_back(panel_layout(figure.panels[p], cell));
        }
        row_top += height;
    }
    const double legend_top = layout.panels.empty() ? top : layout.panels.front().plot.top;
    layout.legend = legend_layout(figure, panels_right + 6.0, legend_top);
    layout.width = std::max(panels_right, layout.legend.box.right) + kPadding;
    layout.height = std::max(row_top, layout.legend.box.bottom) + kPadding;
    layout.title =
        fit_text(figure.title, (layout.width - 2 * kPadding) / kBoldWidening, kTitleFont);
    return layout;
}

}  // namespace clonal::plot
