// The network figure: a pie per genotype with an area in proportion to its individuals, laid out
// as a radial tree from the largest genotype (every genotype on the ring of its depth, none
// overlapping), the same bytes on every run, and a note instead of pies beyond the legible size.
#include "kelvane/figures/evidence/network_figure.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "kelvane/figures/evidence/network_layout.hpp"
#include "plot/svg_render.hpp"
#include "support/figure_marks.hpp"

namespace kelvane {
namespace {

using namespace clonal::plot;

using testing_support::marks_of;

// Individuals in two populations whose genotypes have the sizes given, genotype 1 first.
struct Network {
    MarkerData data;
    Genotypes genotypes;
};
Network network_of(const std::vector<int>& sizes) {
    Network network;
    network.data.n_populations = 2;
    network.data.pop_names = {"A", "B"};
    for (std::size_t g = 0; g < sizes.size(); ++g) {
        for (int i = 0; i < sizes[g]; ++i) {
            network.genotypes.numbers.push_back(static_cast<int32_t>(g + 1));
            network.data.pop_vector.push_back(i % 2 + 1);
        }
    }
    network.data.n_individuals = static_cast<int32_t>(network.genotypes.numbers.size());
    network.genotypes.count = static_cast<int32_t>(sizes.size());
    return network;
}

// Genotype 3 (the largest) is the centre; 1, 2 and 5 hang from it, 4 from 5 and 6 from 4:
//   1 - 3 - 2,  3 - 5 - 4 - 6, and a longer link 1 - 2 that is not on the tree.
const std::vector<int> kSizes{2, 1, 9, 4, 1, 3};
const std::vector<NetworkEdge> kEdges{{0, 1, 4}, {0, 2, 2}, {1, 2, 3},
                                      {2, 4, 1}, {3, 4, 2}, {3, 5, 5}};
const std::vector<int> kDepths{1, 1, 0, 2, 1, 3};

// A singleton beside a clone of 10,000 stays visible: drawn at the smallest radius.
TEST(NetworkFigure, ASingletonBesideALargeCloneStaysVisible) {
    const Network network = network_of({10000, 1});
    const std::vector<NetworkEdge> edges{{0, 1, 3}};
    const Figure figure =
        network_figure(network.data, network.genotypes, edges, 2, "steps", "see elsewhere");
    const auto pies = marks_of<Pie>(figure);
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[1].radius, kSmallestPie);
    EXPECT_EQ(figure.legend.back().label, "no pie drawn under radius 2.5 px");
}

TEST(NetworkFigure, EveryGenotypeIsAPieOnTheRingOfItsDepthWithAnAreaInProportionToItsSize) {
    const Network network = network_of(kSizes);
    const Figure figure =
        network_figure(network.data, network.genotypes, kEdges, 2, "steps", "see elsewhere");
    const auto pies = marks_of<Pie>(figure);
    ASSERT_EQ(pies.size(), kSizes.size());
    EXPECT_EQ(marks_of<Edge>(figure).size(), kEdges.size());
    EXPECT_TRUE(marks_of<Note>(figure).empty());
    // The key to the sizes, after the populations: the largest pie, 9 individuals, at the
    // largest radius.
    ASSERT_EQ(figure.legend.size(), 4u);
    EXPECT_EQ(figure.legend[2].label, "pie area: in proportion to individuals");
    EXPECT_EQ(figure.legend[3].label, "largest pie: 9 individuals, radius 18 px");
    EXPECT_EQ(figure.legend[3].swatch, Swatch::kNone);
    const double unit = std::hypot(pies[0].centre.x, pies[0].centre.y);
    ASSERT_GT(unit, 0.0);
    for (std::size_t g = 0; g < pies.size(); ++g) {
        SCOPED_TRACE(g);
        EXPECT_NEAR(std::hypot(pies[g].centre.x, pies[g].centre.y), kDepths[g] * unit, 1e-9);
        // Area over size alike for every genotype: the largest sets the scale.
        EXPECT_NEAR(pies[g].radius * pies[g].radius / kSizes[g],
                    pies[2].radius * pies[2].radius / kSizes[2], 1e-9);
        // Slices: its individuals alternate between A and B.
        EXPECT_EQ(pies[g].counts, (std::vector<double>{static_cast<double>((kSizes[g] + 1) / 2),
                                                       static_cast<double>(kSizes[g] / 2)}));
    }
    EXPECT_EQ(pies[2].radius, kLargestPie);
    // The shortest link is the thickest; links of one length are alike.
    const auto edges = marks_of<Edge>(figure);
    for (const Edge& edge : edges) {
        EXPECT_LE(edge.width, edges[3].width);  // distance 1
        EXPECT_GE(edge.width, edges[5].width);  // distance 5
    }
    EXPECT_DOUBLE_EQ(edges[3].width, 4 * edges[5].width);
    EXPECT_EQ(edges[1].width, edges[4].width);  // distance 2
}

TEST(NetworkFigure, TheLayoutSpreadsSubtreesByTheirLeavesAndTheSameNetworkGivesTheSameBytes) {
    const NetworkLayout layout = network_layout(std::vector<int64_t>(kSizes.begin(), kSizes.end()),
                                                std::span<const NetworkEdge>(kEdges));
    EXPECT_EQ(layout.depth, 3);
    // The centre's three subtrees have a leaf each: a third of the circle each, 1 in the middle
    // of the first third (from the top, clockwise).
    EXPECT_NEAR(layout.positions[0].x, std::sin(std::numbers::pi / 3), 1e-12);
    EXPECT_NEAR(layout.positions[0].y, std::cos(std::numbers::pi / 3), 1e-12);
    EXPECT_NEAR(layout.positions[5].x, 3 * std::sin(5 * std::numbers::pi / 3), 1e-12);

    const Network network = network_of(kSizes);
    std::ostringstream first;
    std::ostringstream second;
    write_svg(network_figure(network.data, network.genotypes, kEdges, 2, "steps", "x"), first);
    write_svg(network_figure(network.data, network.genotypes, kEdges, 2, "steps", "x"), second);
    EXPECT_EQ(first.str(), second.str());
}

TEST(NetworkFigure, BeyondTheLegibleSizeTheFigureSaysSoAndPointsElsewhere) {
    const Network network = network_of(std::vector<int>(kLegibleGenotypes + 1, 1));
    const Figure figure =
        network_figure(network.data, network.genotypes, {}, 0, "steps", "open n.graphml");
    EXPECT_TRUE(marks_of<Pie>(figure).empty());
    const auto notes = marks_of<Note>(figure);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].text.find("301 genotypes"), std::string::npos);
    EXPECT_NE(notes[0].text.find("open n.graphml"), std::string::npos);
}

}  // namespace
}  // namespace kelvane
