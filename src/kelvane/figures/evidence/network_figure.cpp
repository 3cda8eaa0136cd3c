// The figure of the network.
#include "kelvane/figures/evidence/network_figure.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "common/text/tsv_writer.hpp"
#include "kelvane/figures/evidence/network_layout.hpp"
#include "plot/figure_layout.hpp"
#include "plot/number_format.hpp"

namespace kelvane {
namespace {

constexpr double kPadding = 24.0;  // pixels between the outermost ring and the plot's edge

std::string plural(int64_t count, const std::string& word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

clonal::plot::Figure network_figure(const MarkerData& data, const Genotypes& genotypes,
                                    std::span<const NetworkEdge> edges, double threshold,
                                    const std::string& unit, const std::string& elsewhere) {
    using namespace clonal::plot;
    const auto k = static_cast<std::size_t>(genotypes.count);
    Figure figure;
    figure.title = "Minimum spanning network at threshold " + std::to_string(threshold);
    figure.panel_width = 640.0;
    figure.panel_height = 560.0;
    Panel panel;
    panel.x.hidden = panel.y.hidden = true;
    panel.x.nice = panel.y.nice = false;
    panel.x.low = panel.y.low = -1.0;
    panel.x.high = panel.y.high = 1.0;
    if (genotypes.count > kLegibleGenotypes) {
        figure.description = plural(genotypes.count, "clonal genotype") +
                             ", too many to draw legibly; " + elsewhere + ".";
        panel.add(Note{plural(genotypes.count, "genotype") +
                       " are too many to draw legibly: " + elsewhere});
        figure.add_panel(std::move(panel));
        return figure;
    }
    std::vector<int64_t> sizes(k, 0);
    std::vector<std::vector<double>> per_population(
        k, std::vector<double>(static_cast<std::size_t>(data.n_populations), 0.0));
    for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
        const auto g = static_cast<std::size_t>(genotypes.numbers[i] - 1);
        ++sizes[g];
        const auto p = static_cast<std::size_t>(data.pop_vector[i] - 1);
        if (p < per_population[g].size()) {
            ++per_population[g][p];
        }
    }
    for (int p = 1; p <= data.n_populations; ++p) {
        figure.legend.push_back(
            {data.population_name(p), Swatch::kBox, series_fill(static_cast<std::size_t>(p - 1))});
    }
    double shortest = std::numeric_limits<double>::max();
    double longest = 0;
    for (const NetworkEdge& edge : edges) {
        shortest = std::min(shortest, edge.distance);
        longest = std::max(longest, edge.distance);
    }
    figure.description =
        plural(genotypes.count, "clonal genotype") + " at threshold " +
        clonal::distance_text(threshold) +
        ", each a pie of its populations with an area in proportion to its individuals, and " +
        plural(static_cast<int64_t>(edges.size()), "link") + " of the minimum spanning network" +
        (edges.empty() ? std::string(".")
                       : ", the thicker the shorter (" + std::to_string(shortest) + " to " +
                             std::to_string(longest) + " " + unit + ").");

    // The scale: the extent of the genotypes spread over the plot area that the figure's
    // layout leaves, alike in x and y.
    const NetworkLayout layout = network_layout(sizes, edges);
    figure.add_panel(panel);
    const Box plot = lay_out(figure).panels.front().plot;
    figure.panels.clear();
    Point low{0.0, 0.0};
    Point high{0.0, 0.0};
    for (const Point& at : layout.positions) {
        low = {std::min(low.x, at.x), std::min(low.y, at.y)};
        high = {std::max(high.x, at.x), std::max(high.y, at.y)};
    }
    const double scale =
        std::max(std::min((plot.width() - 2 * kPadding) / std::max(high.x - low.x, 1.0),
                          (plot.height() - 2 * kPadding) / std::max(high.y - low.y, 1.0)),
                 1.0);
    const Point middle{(low.x + high.x) / 2, (low.y + high.y) / 2};
    panel.x.low = middle.x - plot.width() / (2 * scale);
    panel.x.high = middle.x + plot.width() / (2 * scale);
    panel.y.low = middle.y - plot.height() / (2 * scale);
    panel.y.high = middle.y + plot.height() / (2 * scale);

    // The largest pie takes half the distance from most genotypes to their nearest neighbour
    // (nine in ten), so that pies seldom overlap and stay as large as the layout allows.
    std::vector<double> nearest(k, std::numeric_limits<double>::infinity());
    for (std::size_t a = 0; a < k; ++a) {
        for (std::size_t b = a + 1; b < k; ++b) {
            const double dx = layout.positions[a].x - layout.positions[b].x;
            const double dy = layout.positions[a].y - layout.positions[b].y;
            const double apart = std::sqrt(dx * dx + dy * dy) * scale;
            nearest[a] = std::min(nearest[a], apart);
            nearest[b] = std::min(nearest[b], apart);
        }
    }
    double room = kLargestPie * 2;
    if (k > 1) {
        const auto tenth = static_cast<std::ptrdiff_t>(k / 10);
        std::nth_element(nearest.begin(), nearest.begin() + tenth, nearest.end());
        room = nearest[static_cast<std::size_t>(tenth)];
    }
    // The smallest pie stays visible, even where that lets the largest ones overlap.
    const int64_t largest_size = k == 0 ? 1 : *std::max_element(sizes.begin(), sizes.end());
    const int64_t smallest_size = k == 0 ? 1 : *std::min_element(sizes.begin(), sizes.end());
    const double visible = kSmallestPie * std::sqrt(static_cast<double>(largest_size) /
                                                    static_cast<double>(smallest_size));
    const double largest_radius = std::clamp(std::max(room / 2, visible), 2.0, kLargestPie);
    // Links thin beside the largest pie, so that they never hide the pies.
    const double widest = std::clamp(largest_radius / 8, 1.0, 2.5);
    const double thinnest = widest / 4;

    for (const NetworkEdge& edge : edges) {
        const double closeness =
            longest == shortest ? 1.0 : (longest - edge.distance) / (longest - shortest);
        panel.add(Edge{layout.positions[static_cast<std::size_t>(edge.a)],
                       layout.positions[static_cast<std::size_t>(edge.b)],
                       thinnest + (widest - thinnest) * closeness,
                       "genotypes " + std::to_string(edge.a + 1) + " and " +
                           std::to_string(edge.b + 1) + ": distance " +
                           clonal::distance_text(edge.distance)});
    }
    for (std::size_t g = 0; g < k; ++g) {
        std::string label =
            "genotype " + std::to_string(g + 1) + ": " + plural(sizes[g], "individual");
        for (std::size_t p = 0; p < per_population[g].size(); ++p) {
            if (per_population[g][p] > 0) {
                label += ", " + data.population_name(static_cast<int>(p + 1)) + " " +
                         std::to_string(static_cast<int64_t>(per_population[g][p]));
            }
        }
        // In proportion by area, but never so small that a singleton beside a large clone
        // vanishes.
        const double radius =
            std::max(kSmallestPie, largest_radius * std::sqrt(static_cast<double>(sizes[g]) /
                                                              static_cast<double>(largest_size)));
        panel.add(Pie{layout.positions[g], radius, per_population[g], std::move(label)});
    }
    if (k == 0) {
        panel.add(Note{"No genotypes to draw."});
    } else {
        // The key to the sizes of the pies.
        figure.legend.push_back(key_line("pie area: in proportion to individuals"));
        figure.legend.push_back(key_line("largest pie: " + plural(largest_size, "individual") +
                                         ", radius " + readable_real(largest_radius) + " px"));
        if (largest_radius / std::sqrt(static_cast<double>(largest_size)) < kSmallestPie) {
            figure.legend.push_back(
                key_line("no pie drawn under radius " + readable_real(kSmallestPie) + " px"));
        }
    }
    figure.add_panel(std::move(panel));
    return figure;
}

}  // namespace kelvane
