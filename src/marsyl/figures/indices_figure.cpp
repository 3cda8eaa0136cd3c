// The dot charts of the indices.
#include "marsyl/figures/indices_figure.hpp"

#include "marsyl/analysis/index_names.hpp"

namespace marsyl {

clonal::plot::Figure indices_figure(const clonal::ClonalData& data,
                                    const DiversityResults& results) {
    using namespace clonal::plot;
    Figure figure;
    figure.title = "Indices of clonal diversity by population";
    figure.description = "One dot chart per index, one row per population.";
    figure.columns = 2;
    figure.panel_width = 380.0;
    figure.panel_height = 150.0;
    std::vector<std::string> names;
    for (int32_t p = 1; p <= data.populations; ++p) {
        names.push_back(data.names[static_cast<std::size_t>(p)]);
    }
    for (int k = 0; k < kIndexCount; ++k) {
        Panel panel;
        panel.title = kIndexNames[static_cast<std::size_t>(k)].title;
        panel.x.title = kIndexNames[static_cast<std::size_t>(k)].unit;
        panel.x.include_zero = true;
        panel.x.integers = kIndexNames[static_cast<std::size_t>(k)].whole;
        panel.y.categories = names;
        Points dots;
        for (std::size_t p = 0; p < names.size(); ++p) {
            dots.points.push_back({results.populations[p].indices[static_cast<std::size_t>(k)],
                                   static_cast<double>(p)});
        }
        panel.add(std::move(dots));
        figure.add_panel(std::move(panel));
    }
    return figure;
}

}  // namespace marsyl
