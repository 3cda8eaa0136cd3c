// The minimum spanning network drawn as a figure: a pie per clonal genotype, its area in
// proportion to the genotype's individuals and its slices their populations, and a line per
// link, the thicker the shorter. Beyond kLegibleGenotypes nodes no drawing stays legible: the
// figure says so instead and points to the graph file.
#pragma once

#include <span>
#include <string>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/spanning/minimum_spanning_network.hpp"
#include "plot/figure.hpp"

namespace kelvane {

inline constexpr int32_t kLegibleGenotypes = 300;

// The largest pie's radius in pixels, at most; pies shrink when their neighbours are closer.
inline constexpr double kLargestPie = 18.0;
// The radius the smallest pie keeps at least, as far as kLargestPie allows.
inline constexpr double kSmallestPie = 2.5;

// unit names what a distance counts ("steps"); elsewhere says where a network too large to
// draw can be seen ("open network.graphml in a graph program").
clonal::plot::Figure network_figure(const MarkerData& data, const Genotypes& genotypes,
                                    std::span<const NetworkEdge> edges, double threshold,
                                    const std::string& unit, const std::string& elsewhere);

}  // namespace kelvane
