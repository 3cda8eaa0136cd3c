// The figure of the accumulation curve.
#include "kelvane/figures/evidence/accumulation_figure.hpp"

#include <string>

namespace kelvane {

clonal::plot::Figure accumulation_figure(const std::vector<AccumulationPoint>& curve,
                                         int64_t genotypes) {
    using namespace clonal::plot;
    Figure figure;
    figure.title = "Genotypes against the number of loci";
    figure.description = "The mean number of distinct genotypes over the subsets of k of the " +
                         std::to_string(curve.size()) +
                         " loci for every k, within the band of the fewest and the most, and a "
                         "line at the " +
                         std::to_string(genotypes) + " genotypes of all loci.";
    Panel panel;
    panel.x.title = "Loci kept (count)";
    panel.x.integers = true;
    panel.y.title = "Distinct genotypes (count)";
    panel.y.include_zero = true;
    panel.y.integers = true;
    Band band{{}, {}, {}, "fewest to most over the subsets", 0};
    Line mean{{}, "mean over the subsets", 0, false, true};
    for (const AccumulationPoint& point : curve) {
        const auto k = static_cast<double>(point.loci);
        band.x.push_back(k);
        band.low.push_back(static_cast<double>(point.min));
        band.high.push_back(static_cast<double>(point.max));
        mean.points.push_back({k, point.mean});
    }
    panel.add(std::move(band)).add(std::move(mean));
    panel.add(ReferenceLine{static_cast<double>(genotypes),
                            "genotypes of all loci (" + std::to_string(genotypes) + ")",
                            Dash::kDashed, std::string(kInk), true});
    if (curve.empty()) {
        panel.add(Note{"No loci to count genotypes at."});
    }
    figure.add_panel(std::move(panel));
    return figure;
}

}  // namespace kelvane
