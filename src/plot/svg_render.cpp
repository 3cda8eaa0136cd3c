// Drawing a laid-out figure.
#include "plot/svg_render.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "plot/figure_layout.hpp"
#include "plot/number_format.hpp"
#include "plot/text_metrics.hpp"

namespace clonal::plot {
namespace {

constexpr double kMarkerRadius = 3.5;
constexpr double kLineWidth = 1.8;
constexpr double kTickLength = 5.0;
constexpr std::string_view kFontFamily = "DejaVu Sans, Verdana, Arial, sans-serif";

struct Pixel {
    double x;
    double y;
};
using Run = std::vector<Pixel>;

std::string path_data(const std::vector<Run>& runs, bool closed) {
    std::string d;
    for (const Run& run : runs) {
        for (std::size_t i = 0; i < run.size(); ++i) {
            d += i == 0 ? "M" : "L";
            d += pixels(run[i].x);
            d += ' ';
            d += pixels(run[i].y);
        }
        if (closed && !run.empty()) {
            d += 'Z';
        }
    }
    return d;
}

// At most four points per column of pixels: the first, the lowest, the highest and the last of
// the points in it, in their order. A curve of many thousand points looks the same with far
// fewer, and its file stays small.
Run thinned(const Run& run) {
    if (run.size() < 16) {
        return run;
    }
    Run kept;
    std::size_t begin = 0;
    while (begin < run.size()) {
        const double column = std::floor(run[begin].x);
        std::size_t end = begin + 1;
        while (end < run.size() && std::floor(run[end].x) == column) {
            ++end;
        }
        std::size_t lowest = begin;
        std::size_t highest = begin;
        for (std::size_t k = begin; k < end; ++k) {
            lowest = run[k].y < run[lowest].y ? k : lowest;
            highest = run[k].y > run[highest].y ? k : highest;
        }
        std::array<std::size_t, 4> chosen{begin, lowest, highest, end - 1};
        std::sort(chosen.begin(), chosen.end());
        const auto last = std::unique(chosen.begin(), chosen.end());
        for (auto k = chosen.begin(); k != last; ++k) {
            kept.push_back(run[*k]);
        }
        begin = end;
    }
    return kept;
}

// The pieces one after the other. (Built by appending: g++ 12 warns falsely on adding a literal
// to a temporary string.)
std::string joined(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (const std::string_view piece : pieces) {
        text += piece;
    }
    return text;
}

Attribute attr(std::string_view name, double value) {
    return {name, pixels(value)};
}
Attribute attr(std::string_view name, std::string_view value) {
    return {name, std::string(value)};
}

class Drawer {
  public:
    Drawer(MarkupWriter& markup, const FigureLayout& layout) : m_(markup), layout_(layout) {}

    void figure(const Figure& figure) {
        m_.open(
            "svg",
            {attr("xmlns", "http://www.w3.org/2000/svg"), attr("class", "figure"),
             attr("width", layout_.width), attr("height", layout_.height),
             attr("viewBox", joined({"0 0 ", pixels(layout_.width), " ", pixels(layout_.height)})),
             attr("role", "img"), attr("font-family", kFontFamily), attr("font-size", kTickFont)});
        m_.element("title", {}, figure.title);
        if (!figure.description.empty()) {
            m_.element("desc", {}, figure.description);
        }
        m_.leaf("rect", {attr("class", "background"), attr("width", layout_.width),
                         attr("height", layout_.height), attr("fill", "#ffffff")});
        if (!layout_.title.empty()) {
            m_.element("text",
                       {attr("class", "figure-title"), attr("x", 10.0), attr("y", 22.0),
                        attr("font-size", kTitleFont), attr("font-weight", "bold")},
                       layout_.title);
        }
        for (std::size_t p = 0; p < figure.panels.size(); ++p) {
            panel(figure.panels[p], layout_.panels[p]);
        }
        legend();
        hatch_patterns();
        m_.close();
    }

  private:
    // A fill as the figure gives it, its hatching kept for the patterns at the end.
    std::string fill(std::string_view given) {
        if (const auto series = hatched_series(given)) {
            hatches_.insert(*series);
        }
        return std::string(given);
    }

    // The hatchings used: the series colour with white stripes. References before the
    // definitions are allowed in SVG.
    void hatch_patterns() {
        if (hatches_.empty()) {
            return;
        }
        m_.open("defs", {});
        for (const std::size_t series : hatches_) {
            m_.open(
                "pattern",
                {attr("id", "hatch-" + std::to_string(series)),
                 attr("patternUnits", "userSpaceOnUse"), attr("width", 6.0), attr("height", 6.0),
                 attr("patternTransform", "rotate(" + std::to_string(hatch_angle(series)) + ")")});
            m_.leaf("rect", {attr("width", 6.0), attr("height", 6.0),
                             attr("fill", series_style(series).colour)});
            m_.leaf("rect", {attr("width", 2.0), attr("height", 6.0), attr("fill", "#ffffff")});
            m_.close();
        }
        m_.close();
    }

    void panel(const Panel& panel, const PanelLayout& layout) {
        m_.open("g", {attr("class", "panel")});
        if (!layout.title.empty()) {
            m_.element("text",
                       {attr("class", "panel-title"), attr("x", layout.cell.left + 10.0),
                        attr("y", layout.plot.top - 10.0), attr("font-size", kPanelTitleFont),
                        attr("font-weight", "bold")},
                       layout.title);
        }
        grid(layout);
        for (const Mark& mark : panel.marks) {
            std::visit([&](const auto& m) { draw(m, layout); }, mark);
        }
        axes(layout);
        m_.close();
    }

    void grid(const PanelLayout& layout) {
        if (layout.y.hidden) {
            return;
        }
        m_.open("g", {attr("class", "grid"), attr("stroke", kFaint), attr("stroke-width", 1.0)});
        for (const Tick& tick : layout.y.ticks) {
            const double y = layout.y_pixel(tick.value);
            m_.leaf("line", {attr("x1", layout.plot.left), attr("y1", y),
                             attr("x2", layout.plot.right), attr("y2", y)});
        }
        m_.close();
    }

    void axes(const PanelLayout& layout) {
        const Box& plot = layout.plot;
        if (!layout.x.hidden) {
            m_.open("g", {attr("class", "x-axis")});
            m_.leaf("line", {attr("x1", plot.left), attr("y1", plot.bottom), attr("x2", plot.right),
                             attr("y2", plot.bottom), attr("stroke", kInk)});
            for (const Tick& tick : layout.x.ticks) {
                const double x = layout.x_pixel(tick.value);
                m_.leaf("line", {attr("x1", x), attr("y1", plot.bottom), attr("x2", x),
                                 attr("y2", plot.bottom + kTickLength), attr("stroke", kInk)});
                m_.element("text",
                           {attr("class", "tick-label"), attr("x", x),
                            attr("y", plot.bottom + kTickLength + 3.0 + kTickFont),
                            attr("text-anchor", "middle")},
                           tick.label);
            }
            if (!layout.x.title.empty()) {
                m_.element(
                    "text",
                    {attr("class", "axis-title"), attr("x", (plot.left + plot.right) / 2),
                     attr("y", plot.bottom + kTickLength + 3.0 + kTickFont + 6.0 + kAxisTitleFont),
                     attr("font-size", kAxisTitleFont), attr("text-anchor", "middle")},
                    layout.x.title);
            }
            m_.close();
        }
        if (!layout.y.hidden) {
            m_.open("g", {attr("class", "y-axis")});
            m_.leaf("line", {attr("x1", plot.left), attr("y1", plot.top), attr("x2", plot.left),
                             attr("y2", plot.bottom), attr("stroke", kInk)});
            for (const Tick& tick : layout.y.ticks) {
                const double y = layout.y_pixel(tick.value);
                m_.leaf("line", {attr("x1", plot.left - kTickLength), attr("y1", y),
                                 attr("x2", plot.left), attr("y2", y), attr("stroke", kInk)});
                m_.element("text",
                           {attr("class", "tick-label"), attr("x", plot.left - 8.0), attr("y", y),
                            attr("dy", "0.35em"), attr("text-anchor", "end")},
                           tick.label);
            }
            if (!layout.y.title.empty()) {
                const double x = layout.cell.left + 10.0 + kAxisTitleFont / 2;
                const double y = (plot.top + plot.bottom) / 2;
                m_.element(
                    "text",
                    {attr("class", "axis-title"), attr("x", x), attr("y", y), attr("dy", "0.35em"),
                     attr("font-size", kAxisTitleFont), attr("text-anchor", "middle"),
                     attr("transform", joined({"rotate(-90 ", pixels(x), " ", pixels(y), ")"}))},
                    layout.y.title);
            }
            m_.close();
        }
    }

    // Values outside a fixed domain are drawn at its edge.
    static double clamp_x(const PanelLayout& layout, double value) {
        return layout.x.categorical ? value
                                    : std::clamp(value, layout.x.domain.low, layout.x.domain.high);
    }
    static double clamp_y(const PanelLayout& layout, double value) {
        return layout.y.categorical ? value
                                    : std::clamp(value, layout.y.domain.low, layout.y.domain.high);
    }
    static bool drawable(const PanelLayout& layout, double x, double y) {
        const bool x_ok = std::isfinite(x) && (layout.x.kind == ScaleKind::kLinear || x > 0.0);
        const bool y_ok = std::isfinite(y) && (layout.y.kind == ScaleKind::kLinear || y > 0.0);
        return x_ok && y_ok;
    }
    static Pixel pixel(const PanelLayout& layout, double x, double y) {
        return {layout.x_pixel(clamp_x(layout, x)), layout.y_pixel(clamp_y(layout, y))};
    }

    void draw(const Bars& bars, const PanelLayout& layout) {
        m_.open("g",
                {attr("class", "bars"), attr("fill", fill(series_fill(bars.series))),
                 attr("fill-opacity", 0.85), attr("stroke", "#ffffff"), attr("stroke-width", 0.5)});
        const double base = layout.y.kind == ScaleKind::kLog ? layout.y.domain.low : 0.0;
        for (const Bar& bar : bars.bars) {
            if (!drawable(layout, bar.from, bar.height) || !drawable(layout, bar.to, base)) {
                continue;
            }
            const Pixel a = pixel(layout, bar.from, base);
            const Pixel b = pixel(layout, bar.to, std::max(bar.height, base));
            m_.leaf("rect", {attr("class", "bar"), attr("x", std::min(a.x, b.x)),
                             attr("y", std::min(a.y, b.y)), attr("width", std::fabs(b.x - a.x)),
                             attr("height", std::fabs(b.y - a.y))});
        }
        m_.close();
    }

    void draw(const Band& band, const PanelLayout& layout) {
        std::vector<Run> runs;
        Run upper;
        Run lower;
        const auto finish = [&] {
            if (upper.size() >= 2) {
                Run polygon = thinned(upper);
                const Run bottom = thinned(lower);
                polygon.insert(polygon.end(), bottom.rbegin(), bottom.rend());
                runs.push_back(std::move(polygon));
            }
            upper.clear();
            lower.clear();
        };
        const std::size_t n = std::min({band.x.size(), band.low.size(), band.high.size()});
        for (std::size_t i = 0; i < n; ++i) {
            if (!drawable(layout, band.x[i], band.low[i]) ||
                !drawable(layout, band.x[i], band.high[i])) {
                finish();
                continue;
            }
            upper.push_back(pixel(layout, band.x[i], band.high[i]));
            lower.push_back(pixel(layout, band.x[i], band.low[i]));
        }
        finish();
        if (runs.empty()) {
            return;
        }
        m_.leaf("path", {attr("class", "band"), attr("d", path_data(runs, true)),
                         attr("fill", fill(series_fill(band.series))), attr("fill-opacity", 0.12),
                         attr("stroke", "none")});
    }

    void draw(const Line& line, const PanelLayout& layout) {
        const SeriesStyle style = series_style(line.series);
        std::vector<Run> runs;
        Run run;
        const auto finish = [&] {
            if (!run.empty()) {
                runs.push_back(thinned(run));
            }
            run.clear();
        };
        for (std::size_t i = 0; i < line.points.size(); ++i) {
            const Point& point = line.points[i];
            if (!drawable(layout, point.x, point.y)) {
                finish();
                continue;
            }
            const Pixel here = pixel(layout, point.x, point.y);
            if (line.step && !run.empty()) {
                run.push_back({here.x, run.back().y});
            }
            run.push_back(here);
        }
        finish();
        Attributes attributes{attr("class", "series"),
                              attr("d", path_data(runs, false)),
                              attr("fill", "none"),
                              attr("stroke", style.colour),
                              attr("stroke-width", kLineWidth),
                              attr("stroke-linejoin", "round")};
        if (style.dash != Dash::kSolid) {
            attributes.push_back(attr("stroke-dasharray", dash_array(style.dash)));
        }
        m_.leaf("path", attributes);
        if (line.markers) {
            markers(line.points, style, layout);
        }
    }

    void draw(const Points& points, const PanelLayout& layout) {
        SeriesStyle style = series_style(points.series);
        if (!points.colour.empty()) {
            style.colour = points.colour;
        }
        markers(points.points, style, layout);
    }

    void markers(const std::vector<Point>& points, const SeriesStyle& style,
                 const PanelLayout& layout) {
        for (const Point& point : points) {
            if (drawable(layout, point.x, point.y)) {
                const Pixel at = pixel(layout, point.x, point.y);
                marker(style.marker, at.x, at.y, style.colour, "point");
            }
        }
    }

    void marker(Marker shape, double x, double y, std::string_view colour,
                std::string_view css_class) {
        const double r = kMarkerRadius;
        const auto polygon = [&](std::initializer_list<Pixel> corners) {
            Run run;
            for (const Pixel& corner : corners) {
                run.push_back({x + corner.x, y + corner.y});
            }
            return path_data({run}, true);
        };
        switch (shape) {
            case Marker::kCircle:
                m_.leaf("circle", {attr("class", css_class), attr("cx", x), attr("cy", y),
                                   attr("r", r), attr("fill", colour)});
                return;
            case Marker::kSquare:
                m_.leaf("rect",
                        {attr("class", css_class), attr("x", x - 0.9 * r), attr("y", y - 0.9 * r),
                         attr("width", 1.8 * r), attr("height", 1.8 * r), attr("fill", colour)});
                return;
            case Marker::kTriangle:
                m_.leaf(
                    "path",
                    {attr("class", css_class),
                     attr("d", polygon({{0, -1.2 * r}, {1.1 * r, 0.8 * r}, {-1.1 * r, 0.8 * r}})),
                     attr("fill", colour)});
                return;
            case Marker::kDiamond:
                m_.leaf(
                    "path",
                    {attr("class", css_class),
                     attr("d", polygon({{0, -1.3 * r}, {1.1 * r, 0}, {0, 1.3 * r}, {-1.1 * r, 0}})),
                     attr("fill", colour)});
                return;
            case Marker::kCross:
                break;
        }
        const Run across{{x - r, y - r}, {x + r, y + r}};
        const Run down{{x - r, y + r}, {x + r, y - r}};
        m_.leaf("path", {attr("class", css_class), attr("d", path_data({across, down}, false)),
                         attr("fill", "none"), attr("stroke", colour), attr("stroke-width", 1.8)});
    }

    void draw(const ReferenceLine& line, const PanelLayout& layout) {
        const Box& plot = layout.plot;
        Attributes attributes{attr("class", "reference")};
        if (line.horizontal) {
            if (!layout.y_shown(line.at)) {
                return;
            }
            const double y = layout.y_pixel(line.at);
            attributes.insert(attributes.end(), {attr("x1", plot.left), attr("y1", y),
                                                 attr("x2", plot.right), attr("y2", y)});
        } else {
            if (!layout.x_shown(line.at)) {
                return;
            }
            const double x = layout.x_pixel(line.at);
            attributes.insert(attributes.end(), {attr("x1", x), attr("y1", plot.top), attr("x2", x),
                                                 attr("y2", plot.bottom)});
        }
        attributes.insert(attributes.end(),
                          {attr("stroke", line.colour), attr("stroke-width", 1.6)});
        if (line.dash != Dash::kSolid) {
            attributes.push_back(attr("stroke-dasharray", dash_array(line.dash)));
        }
        m_.leaf("line", attributes);
    }

    void draw(const Pie& pie, const PanelLayout& layout) {
        if (!drawable(layout, pie.centre.x, pie.centre.y)) {
            return;
        }
        const Pixel centre = pixel(layout, pie.centre.x, pie.centre.y);
        double total = 0.0;
        std::size_t slices = 0;
        for (const double count : pie.counts) {
            if (count > 0.0 && std::isfinite(count)) {
                total += count;
                ++slices;
            }
        }
        m_.open("g", {attr("class", "pie"), attr("stroke", "#ffffff"), attr("stroke-width", 0.5)});
        if (!pie.label.empty()) {
            m_.element("title", {}, pie.label);
        }
        double turned = 0.0;  // the share of the circle already covered, from the top clockwise
        for (std::size_t i = 0; i < pie.counts.size(); ++i) {
            const double count = pie.counts[i];
            if (!(count > 0.0 && std::isfinite(count))) {
                continue;
            }
            const std::string colour = fill(series_fill(i));
            if (slices == 1) {
                m_.leaf("circle",
                        {attr("class", "slice"), attr("cx", centre.x), attr("cy", centre.y),
                         attr("r", pie.radius), attr("fill", colour)});
                break;
            }
            const double share = count / total;
            const auto at = [&](double turn) {
                const double angle = 2.0 * std::numbers::pi * turn;
                return Pixel{centre.x + pie.radius * std::sin(angle),
                             centre.y - pie.radius * std::cos(angle)};
            };
            const Pixel from = at(turned);
            const Pixel to = at(turned + share);
            turned += share;
            const std::string d =
                joined({"M", pixels(centre.x), " ", pixels(centre.y), "L", pixels(from.x), " ",
                        pixels(from.y), "A", pixels(pie.radius), " ", pixels(pie.radius), " 0 ",
                        share > 0.5 ? "1" : "0", " 1 ", pixels(to.x), " ", pixels(to.y), "Z"});
            m_.leaf("path", {attr("class", "slice"), attr("d", d), attr("fill", colour)});
        }
        m_.close();
    }

    void draw(const Tile& tile, const PanelLayout& layout) {
        if (!layout.x.categorical || !layout.y.categorical ||
            !layout.x_shown(static_cast<double>(tile.column)) ||
            !layout.y_shown(static_cast<double>(tile.row))) {
            return;
        }
        const double width =
            (layout.plot.right - layout.plot.left) / static_cast<double>(layout.x.ticks.size());
        const double height =
            (layout.plot.bottom - layout.plot.top) / static_cast<double>(layout.y.ticks.size());
        const Pixel centre =
            pixel(layout, static_cast<double>(tile.column), static_cast<double>(tile.row));
        const Attributes attributes{attr("class", "tile"),
                                    attr("x", centre.x - width / 2.0),
                                    attr("y", centre.y - height / 2.0),
                                    attr("width", width),
                                    attr("height", height),
                                    attr("fill", tile.colour),
                                    attr("stroke", "#ffffff"),
                                    attr("stroke-width", 0.5)};
        if (tile.label.empty()) {
            m_.leaf("rect", attributes);
            return;
        }
        m_.open("rect", attributes);
        m_.element("title", {}, tile.label);
        m_.close();
    }

    void draw(const Edge& edge, const PanelLayout& layout) {
        if (!drawable(layout, edge.from.x, edge.from.y) ||
            !drawable(layout, edge.to.x, edge.to.y)) {
            return;
        }
        const Pixel a = pixel(layout, edge.from.x, edge.from.y);
        const Pixel b = pixel(layout, edge.to.x, edge.to.y);
        const Attributes attributes{attr("class", "edge"),
                                    attr("x1", a.x),
                                    attr("y1", a.y),
                                    attr("x2", b.x),
                                    attr("y2", b.y),
                                    attr("stroke", "#595959"),
                                    attr("stroke-width", edge.width)};
        if (edge.label.empty()) {
            m_.leaf("line", attributes);
            return;
        }
        m_.open("line", attributes);
        m_.element("title", {}, edge.label);
        m_.close();
    }

    void draw(const Note& note, const PanelLayout& layout) {
        m_.element("text",
                   {attr("class", "note"), attr("x", (layout.plot.left + layout.plot.right) / 2),
                    attr("y", (layout.plot.top + layout.plot.bottom) / 2),
                    attr("font-size", kAxisTitleFont), attr("text-anchor", "middle")},
                   fit_text(note.text, layout.plot.width() - 10.0, kAxisTitleFont));
    }

    void legend() {
        const LegendLayout& legend = layout_.legend;
        if (legend.entries.empty()) {
            return;
        }
        m_.open("g", {attr("class", "legend")});
        for (std::size_t i = 0; i < legend.entries.size(); ++i) {
            const LegendEntry& entry = legend.entries[i];
            const double left = legend.box.left;
            const double middle =
                legend.box.top + (static_cast<double>(i) + 0.5) * legend.row_height;
            m_.open("g", {attr("class", "legend-entry")});
            if (!legend.whole_labels[i].empty()) {
                m_.element("title", {}, legend.whole_labels[i]);
            }
            if (entry.swatch == Swatch::kBox) {
                m_.leaf("rect", {attr("x", left), attr("y", middle - 5.0), attr("width", 24.0),
                                 attr("height", 10.0), attr("fill", fill(entry.colour)),
                                 attr("fill-opacity", 0.85)});
            }
            if (entry.swatch == Swatch::kLine || entry.swatch == Swatch::kLineAndMarker) {
                Attributes attributes{attr("x1", left),
                                      attr("y1", middle),
                                      attr("x2", left + 24.0),
                                      attr("y2", middle),
                                      attr("stroke", entry.colour),
                                      attr("stroke-width", kLineWidth)};
                if (entry.dash != Dash::kSolid) {
                    attributes.push_back(attr("stroke-dasharray", dash_array(entry.dash)));
                }
                m_.leaf("line", attributes);
            }
            if (entry.swatch == Swatch::kMarker || entry.swatch == Swatch::kLineAndMarker) {
                marker(entry.marker, left + 12.0, middle, entry.colour, "legend-marker");
            }
            const bool key = entry.swatch == Swatch::kNone;
            m_.element("text",
                       {attr("class", key ? "legend-key" : "legend-label"),
                        attr("x", key ? left : left + 30.0), attr("y", middle),
                        attr("dy", "0.35em"), attr("font-size", kLegendFont)},
                       entry.label);
            m_.close();
        }
        m_.close();
    }

    MarkupWriter& m_;
    const FigureLayout& layout_;
    std::set<std::size_t> hatches_;
};

}  // namespace

void write_svg_element(const Figure& figure, MarkupWriter& markup) {
    const FigureLayout layout = lay_out(figure);
    Drawer(markup, layout).figure(figure);
}

void write_svg(const Figure& figure, std::ostream& out) {
    MarkupWriter markup(out);
    markup.prologue(Prologue::kXml);
    write_svg_element(figure, markup);
    markup.flush();
}

}  // namespace clonal::plot
