// The figure of kinship against IBS0.
#include "kelvane/figures/evidence/kinship_figure.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

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
    // Every pair's class, found once for the count of unrelated pairs and the drawing.
    std::vector<Relationship> relationships;
    relationships.reserve(result.counts.size());
    for (const KinshipCounts& pair : result.counts) {
        relationships.push_back(relationship_of(pair, result.scale));
    }
    const auto unrelated =
        static_cast<std::size_t>(std::ranges::count(relationships, Relationship::kUnrelated));
    const std::size_t step =
        unrelated > kMostUnrelated ? (unrelated + kMostUnrelated - 1) / kMostUnrelated : 1;
    std::size_t seen = 0;
    for (std::size_t p = 0; p < result.counts.size(); ++p) {
        const KinshipCounts& pair = result.counts[p];
        const double kinship = pair.kinship();
        const Relationship relationship = relationships[p];
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
