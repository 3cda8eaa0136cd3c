// The heat map of pairwise Phi-st.
#include "kelvane/figures/pairwise_phi_figure.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "plot/number_format.hpp"
#include "plot/palette.hpp"

namespace kelvane {

clonal::plot::Figure pairwise_phi_figure(std::span<const analysis::PairwisePhi> pairs) {
    using namespace clonal::plot;
    std::vector<std::string> names;
    std::map<std::string, std::size_t> place;
    const auto place_of = [&](const std::string& name) {
        const auto [found, added] = place.emplace(name, names.size());
        if (added) {
            names.push_back(name);
        }
        return found->second;
    };
    double largest = 0.0;
    for (const analysis::PairwisePhi& pair : pairs) {
        place_of(pair.population_a);
        place_of(pair.population_b);
        if (std::isfinite(pair.phi_st)) {
            largest = std::max(largest, pair.phi_st);
        }
    }
    Figure figure;
    figure.title = "Pairwise Phi-st";
    figure.description = "Phi-st of every two of " + std::to_string(names.size()) +
                         " groups, darker where the groups differ more.";
    Panel panel;
    // Names down the side, numbered; the columns by their numbers, which fit under narrow cells.
    for (std::size_t g = 0; g < names.size(); ++g) {
        panel.x.categories.push_back(std::to_string(g + 1));
        panel.y.categories.push_back(std::to_string(g + 1) + " " + names[g]);
    }
    const double side = std::clamp(36.0 * static_cast<double>(names.size()), 160.0, 900.0);
    figure.panel_width = side + 160.0;
    figure.panel_height = side;
    const auto colour_of = [&](double phi) {
        return std::isfinite(phi) && largest > 0.0 ? sequential_colour(phi / largest)
                                                   : std::string("#ffffff");
    };
    for (const analysis::PairwisePhi& pair : pairs) {
        const std::size_t a = place.at(pair.population_a);
        const std::size_t b = place.at(pair.population_b);
        std::string label = pair.population_a + " and " + pair.population_b + ": Phi-st " +
                            (std::isfinite(pair.phi_st) ? readable_real(pair.phi_st) : "NA");
        if (std::isfinite(pair.p)) {
            label += ", p " + readable_real(pair.p);
        }
        panel.add(Tile{a, b, colour_of(pair.phi_st), label});
        panel.add(Tile{b, a, colour_of(pair.phi_st), label});
    }
    if (pairs.empty()) {
        panel.add(Note{"There are fewer than two groups."});
    }
    figure.add_panel(std::move(panel));
    for (const double share : {0.0, 0.5, 1.0}) {
        figure.legend.push_back(
            {"Phi-st " + readable_real(share * largest), Swatch::kBox, sequential_colour(share)});
    }
    figure.legend.push_back(key_line("negative values as 0"));
    return figure;
}

}  // namespace kelvane
