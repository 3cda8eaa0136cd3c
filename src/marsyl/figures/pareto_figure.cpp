// The figure of the Pareto fits.
#include "marsyl/figures/pareto_figure.hpp"

#include <cmath>
#include <string>
#include <vector>

#include "marsyl/analysis/population_rows.hpp"
#include "marsyl/core/extended/pareto_fit.hpp"
#include "plot/number_format.hpp"

namespace marsyl {

clonal::plot::Figure pareto_figure(const clonal::ClonalData& data) {
    using namespace clonal::plot;
    const std::vector<SizeSpectrum> spectra = population_spectra(data);
    Figure figure;
    figure.title = "Pareto distribution of clone sizes";
    figure.description =
        "For every distinct clone size of every population and of all of them (total), log10 of "
        "the size against log10 of the share of individuals in clones of that size or larger, "
        "with the least-squares line whose negated slope is the Pareto index beta.";
    Panel panel;
    panel.x.title = "log10 clone size (individuals)";
    panel.x.include_zero = true;
    panel.y.title = "log10 share in clones at least as large";
    bool any = false;
    for (std::size_t row = 0; row < spectra.size(); ++row) {
        const std::vector<ParetoPoint> points = pareto_points(spectra[row]);
        if (points.empty()) {
            continue;
        }
        any = true;
        const ParetoFit fit = pareto_fit(spectra[row]);
        std::string label(population_row_name(data, row));
        label += std::isnan(fit.beta) ? " (no fit)" : " (beta " + readable_real(fit.beta) + ")";
        const SeriesStyle style = series_style(row);
        figure.legend.push_back({label,
                                 std::isnan(fit.beta) ? Swatch::kMarker : Swatch::kLineAndMarker,
                                 std::string(style.colour), style.dash, style.marker});
        Points dots{{}, "", row, {}};
        for (const ParetoPoint& point : points) {
            dots.points.push_back({point.log_size, point.log_share});
        }
        panel.add(std::move(dots));
        if (!std::isnan(fit.beta)) {
            const double from = points.front().log_size;
            const double to = points.back().log_size;
            panel.add(
                Line{{{from, fit.intercept - fit.beta * from}, {to, fit.intercept - fit.beta * to}},
                     "",
                     row});
        }
    }
    if (!any) {
        panel.add(Note{"No individuals, no clone sizes."});
    }
    figure.add_panel(std::move(panel));
    return figure;
}

}  // namespace marsyl
