// The indices' tables and figure.
#include "marsyl/results/indices_results.hpp"

#include <array>
#include <utility>

#include "marsyl/results/index_names.hpp"

namespace marsyl {

clonal::ResultTable indices_table(const clonal::ClonalData& data, const DiversityResults& results) {
    clonal::ResultTable table;
    table.header({"population", "n", "gen", "eff", "div", "eve", "shw", "shc", "diu"});
    for (int32_t p = 1; p <= data.populations; ++p) {
        const PopulationIndices& row = results.populations[static_cast<std::size_t>(p - 1)];
        table.text(data.names[static_cast<std::size_t>(p)]).integer(data.size(p));
        // A population without individuals holds 0 genotypes; no other index exists for it.
        const bool empty = data.size(p) == 0;
        for (std::size_t k = 0; k < row.indices.size(); ++k) {
            if (empty && k != static_cast<std::size_t>(kGen)) {
                table.missing();
            } else {
                table.real(row.indices[k]);
            }
        }
        if (empty) {
            table.missing();
        } else {
            table.real(row.diu);
        }
        table.end_row();
    }
    return table;
}

clonal::ResultTable partitioning_table(const clonal::ClonalData& data,
                                       const DiversityResults& results) {
    const Partitioning& part = results.partitioning;
    const std::array<std::pair<const char*, const std::array<double, 3>*>, 4> rows{
        {{"total", &part.total},
         {"within", &part.within},
         {"g_st", &part.g_st},
         {"g_st_corrected", &part.g_st_corrected}}};
    clonal::ResultTable table;
    table.header({"component", "div", "shw", "shc"});
    for (const auto& [name, values] : rows) {
        table.text(name);
        for (const double value : *values) {
            if (data.populations > 1) {
                table.real(value);
            } else {
                table.missing();
            }
        }
        table.end_row();
    }
    return table;
}

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
