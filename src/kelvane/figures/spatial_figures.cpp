// The map of the genets and the correlogram.
#include "kelvane/figures/spatial_figures.hpp"

#include <algorithm>
#include <cmath>
#include <map>

#include "plot/palette.hpp"

namespace kelvane {
namespace {

// Genets named on the map; the rest of the colours stand for the other genets of several ramets.
constexpr std::size_t kNamedGenets = 10;
constexpr std::string_view kGrey = "#999999";

std::string distance_title(bool geographic) {
    return geographic ? "Distance (km)" : "Distance (units of the coordinates)";
}

// The value at share q of the sorted values (the nearest rank).
double quantile(std::vector<double> values, double q) {
    values.erase(
        std::remove_if(values.begin(), values.end(), [](double v) { return !std::isfinite(v); }),
        values.end());
    if (values.empty()) {
        return std::nan("");
    }
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::clamp(std::ceil(q * static_cast<double>(values.size())) - 1.0,
                                            0.0, static_cast<double>(values.size() - 1)));
    return values[rank];
}

}  // namespace

clonal::plot::Figure genet_map_figure(const Coordinates& coordinates,
                                      const std::vector<int32_t>& genets,
                                      const SubrangeResult& spreads) {
    using namespace clonal::plot;
    Figure figure;
    figure.title = "Where the genets are";
    figure.description =
        "Every ramet at its coordinates, coloured by genet; a segment joins the two ramets "
        "farthest apart in each genet of several ramets.";
    std::vector<const GenetSpread*> repeated;
    for (const GenetSpread& spread : spreads.genets) {
        if (spread.ramets > 1) {
            repeated.push_back(&spread);
        }
    }
    std::stable_sort(
        repeated.begin(), repeated.end(),
        [](const GenetSpread* a, const GenetSpread* b) { return a->ramets > b->ramets; });
    std::map<int32_t, std::size_t> series;  // named genets
    for (std::size_t k = 0; k < std::min(kNamedGenets, repeated.size()); ++k) {
        series[repeated[k]->genet] = k;
    }
    Panel panel;
    panel.x.title = coordinates.geographic ? "Longitude (degrees)" : "x";
    panel.y.title = coordinates.geographic ? "Latitude (degrees)" : "y";
    std::map<std::size_t, Points> groups;  // by series; kNamedGenets: other repeated; +1: single
    std::map<int32_t, int64_t> ramets;
    for (const GenetSpread& spread : spreads.genets) {
        ramets[spread.genet] = spread.ramets;
    }
    for (int i = 0; i < coordinates.size(); ++i) {
        if (!coordinates.given(i)) {
            continue;
        }
        const int32_t genet = genets[static_cast<std::size_t>(i)];
        const auto named = series.find(genet);
        const std::size_t group = named != series.end() ? named->second
                                  : ramets[genet] > 1   ? kNamedGenets
                                                        : kNamedGenets + 1;
        Points& points = groups[group];
        points.series = std::min(group, kNamedGenets);
        if (named != series.end()) {
            points.label = "genotype " + std::to_string(genet) + " (" +
                           std::to_string(ramets[genet]) + " ramets)";
        } else if (group == kNamedGenets) {
            points.label = "other genets of several ramets";
        } else {
            points.label = "genets of one ramet";
            points.colour = std::string(kGrey);
        }
        points.points.push_back({coordinates.x[static_cast<std::size_t>(i)],
                                 coordinates.y[static_cast<std::size_t>(i)]});
    }
    for (const GenetSpread* spread : repeated) {
        const auto a = static_cast<std::size_t>(spread->first);
        const auto b = static_cast<std::size_t>(spread->second);
        panel.add(Edge{{coordinates.x[a], coordinates.y[a]},
                       {coordinates.x[b], coordinates.y[b]},
                       1.0,
                       "genotype " + std::to_string(spread->genet) + ": spread"});
    }
    for (auto& [group, points] : groups) {
        panel.add(std::move(points));
    }
    figure.add_panel(std::move(panel));
    return figure;
}

clonal::plot::Figure correlogram_figure(const CorrelogramResult& result, bool geographic) {
    using namespace clonal::plot;
    Figure figure;
    figure.title = "Kinship against distance";
    figure.description =
        "The mean Loiselle kinship of the pairs in each distance class against the class's mean "
        "distance, with the range of 95 % of the means when the units are permuted over the "
        "places.";
    Panel panel;
    panel.x.title = distance_title(geographic);
    panel.x.include_zero = true;
    panel.y.title = "Kinship (Loiselle's F)";
    Line line{{}, "mean kinship", 0, false, true};
    Band band;
    band.label = "95 % of the permuted means";
    band.series = 1;
    for (std::size_t c = 0; c < result.classes.size(); ++c) {
        const CorrelogramClass& klass = result.classes[c];
        if (klass.pairs == 0) {
            continue;
        }
        const double distance = klass.distance_sum / static_cast<double>(klass.pairs);
        line.points.push_back({distance, klass.kinship_sum / static_cast<double>(klass.pairs)});
        if (!result.permuted.empty() && !result.permuted[c].empty()) {
            band.x.push_back(distance);
            band.low.push_back(quantile(result.permuted[c], 0.025));
            band.high.push_back(quantile(result.permuted[c], 0.975));
        }
    }
    if (!band.x.empty()) {
        panel.add(std::move(band));
    }
    panel.add(std::move(line));
    panel.add(ReferenceLine{0.0, "no kinship", Dash::kDotted, std::string(kInk), true});
    figure.add_panel(std::move(panel));
    return figure;
}

}  // namespace kelvane
