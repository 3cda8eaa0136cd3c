// The jackknife's computation over the populations, its table and its figure.
#include "marsyl/results/jackknife_results.hpp"

#include <cmath>

#include "marsyl/results/index_names.hpp"

namespace marsyl {

std::vector<JackknifeCurve> jackknife_curves(clonal::ClonalData& data, int32_t subsamples,
                                             clonal::Random& random,
                                             const clonal::ProgressReport& progress) {
    JackknifeWorkspace workspace(subsamples);
    std::vector<JackknifeCurve> curves;
    for (int32_t p = 1; p <= data.populations; ++p) {
        curves.push_back(jackknife_population(data.genotypes[static_cast<std::size_t>(p)], random,
                                              workspace, progress));
    }
    return curves;
}

clonal::ResultTable jackknife_table(const clonal::ClonalData& data,
                                    const std::vector<JackknifeCurve>& curves) {
    clonal::ResultTable table;
    std::vector<std::string> columns{"population", "size"};
    for (const IndexName& index : kIndexNames) {
        columns.emplace_back(index.column);
        columns.push_back(std::string(index.column) + "_low");
        columns.push_back(std::string(index.column) + "_up");
    }
    table.header(columns);
    for (int32_t p = 1; p <= data.populations; ++p) {
        const JackknifeCurve& curve = curves[static_cast<std::size_t>(p - 1)];
        const std::string& name = data.names[static_cast<std::size_t>(p)];
        for (std::size_t r = 0; r < curve.rows.size(); ++r) {
            table.text(name).integer(static_cast<int64_t>(r) + 2);
            for (int k = 0; k < kIndexCount; ++k) {
                // An index undefined in some subsample has no mean, and then no limits either.
                if (std::isnan(curve.rows[r].mean[k])) {
                    table.missing().missing().missing();
                    continue;
                }
                table.real(curve.rows[r].mean[k])
                    .real(curve.rows[r].low[k])
                    .real(curve.rows[r].up[k]);
            }
            table.end_row();
        }
        table.text(name).integer(data.size(p));
        // A population without individuals holds 0 genotypes; no other index exists for it.
        const bool empty = data.size(p) == 0;
        for (int k = 0; k < kIndexCount; ++k) {
            if (empty && k != kGen) {
                table.missing();
            } else {
                table.real(curve.whole[k]);
            }
            table.missing().missing();
        }
        table.end_row();
    }
    return table;
}

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
