// The jackknife's figure.
#include "marsyl/figures/jackknife_figure.hpp"

#include <cmath>

#include "marsyl/analysis/index_names.hpp"

namespace marsyl {

clonal::plot::Figure jackknife_figure(const clonal::ClonalData& data,
                                      const std::vector<JackknifeCurve>& curves) {
    using namespace clonal::plot;
    Figure figure;
    figure.title = "Indices of clonal diversity against sample size";
    figure.description =
        "For every index, its mean over random subsamples of each size, a line per population "
        "within the band from its lower to its upper limit; each line ends at the whole sample.";
    figure.columns = 2;
    figure.panel_width = 380.0;
    figure.panel_height = 250.0;
    for (int k = 0; k < kIndexCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        Panel panel;
        panel.title = kIndexNames[index].title;
        panel.x.title = "Sample size (individuals)";
        panel.x.integers = true;
        panel.y.title = kIndexNames[index].unit;
        panel.y.include_zero = true;
        panel.y.integers = kIndexNames[index].whole;
        for (int32_t p = 1; p <= data.populations; ++p) {
            const JackknifeCurve& curve = curves[static_cast<std::size_t>(p - 1)];
            const auto series = static_cast<std::size_t>(p - 1);
            Band band{{}, {}, {}, {}, series};
            Line line{{}, data.names[static_cast<std::size_t>(p)], series};
            for (std::size_t r = 0; r < curve.rows.size(); ++r) {
                const auto size = static_cast<double>(r + 2);
                band.x.push_back(size);
                band.low.push_back(curve.rows[r].low[index]);
                band.high.push_back(curve.rows[r].up[index]);
                line.points.push_back({size, curve.rows[r].mean[index]});
            }
            const Point whole{static_cast<double>(data.size(p)), curve.whole[index]};
            line.points.push_back(whole);
            Points end;
            end.points.push_back(whole);
            end.series = series;
            panel.add(std::move(band)).add(std::move(line)).add(std::move(end));
        }
        figure.add_panel(std::move(panel));
    }
    return figure;
}

}  // namespace marsyl
