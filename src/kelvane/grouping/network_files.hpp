// The minimum spanning network as a file for graph programs: GraphML (Cytoscape, Gephi, igraph)
// or DOT (Graphviz). A node per clonal genotype with its number, its size, its individuals and
// their count in every population that holds it (0 where none is written: GraphML declares it
// the default); an undirected edge per network edge with the distance as its
// weight. Names are escaped for each format.
#pragma once

#include <ostream>
#include <span>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/minimum_spanning_network.hpp"

namespace kelvane {

void write_network_graphml(const MarkerData& data, const Genotypes& genotypes,
                           std::span<const NetworkEdge> edges, std::ostream& out);

void write_network_dot(const MarkerData& data, const Genotypes& genotypes,
                       std::span<const NetworkEdge> edges, std::ostream& out);

}  // namespace kelvane
