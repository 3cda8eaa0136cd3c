// The figure of kinship against IBS0.
#include "kelvane/figures/evidence/kinship_figure.hpp"

#include <array>
#include <cmath>
#include <string>

namespace kelvane {

clonal::plot::Figure kinship_figure(const analysis::RelatednessResult& result) {
    using namespace clonal::plot;
    constexpr std::size_t kMostUnrelated = 20000;
    constexpr std::array<Relationship, 4> kDrawn{Relationship::kUnrelated,
                                                 Relationship::kSecondDegree,
                                                 Relationship::kFirstDegree, Relationship::kClone};
    std::array<Points, kDrawn.size()> classes;
    for (std::size_t c = 0; c < kDrawn.size(); ++c) {
        classes[c].label = std::string(relationship_name(kDrawn[c]));
        classes[c].series = c;
    }
    std::size_t unrelated = 0;
    for (const KinshipCounts& pair : result.counts) {
        if (relationship_of(pair, result.scale) == Relationship::kUnrelated) {
            ++unrelated;
        }
    }
    const std::size_t step =
        unrelated > kMostUnrelated ? (unrelated + kMostUnrelated - 1) / kMostUnrelated : 1;
    std::size_t seen = 0;
    for (const KinshipCounts& pair : result.counts) {
        const double kinship = pair.kinship();
        const Relationship relationship = relationship_of(pair, result.scale);
        if (std::isnan(kinship) || pair.shared == 0 || relationship == Relationship::kUnknown) {
            continue;
        }
        if (relationship == Relationship::kUnrelated && seen++ % step != 0) {
            continue;
        }
        for (std::size_t c = 0; c < kDrawn.size(); ++c) {
            if (kDrawn[c] == relationship) {
                classes[c].points.push_back(
                    {static_cast<double>(pair.ibs0) / pair.shared, kinship});
            }
        }
    }
    Figure figure;
    figure.title = "Kinship against IBS0";
    figure.description =
        "The KING-robust kinship of every pair of samples against the share of the SNPs both "
        "call at which they are opposite homozygotes, coloured by relationship" +
        std::string(step > 1 ? " (one unrelated pair in " + std::to_string(step) + " drawn)" : "") +
        ".";
    Panel panel;
    panel.x.title = "IBS0 (share of shared SNPs)";
    panel.x.include_zero = true;
    panel.y.title = "Kinship (KING-robust)";
    for (Points& points : classes) {
        if (!points.points.empty()) {
            panel.add(std::move(points));
        }
    }
    if (panel.marks.empty()) {
        panel.add(Note{"No pair of samples has a kinship."});
    }
    figure.add_panel(std::move(panel));
    return figure;
}

}  // namespace kelvane
