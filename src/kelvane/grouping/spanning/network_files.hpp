// The minimum spanning network as a file for graph programs: GraphML (Cytoscape, Gephi, igraph)
// or DOT (Graphviz). A node per clonal genotype with its number, its size, its individuals and
// their count in every population that holds it (0 where none is written: GraphML declares it
// the default); an undirected edge per network edge with the distance as its
// weight. Names are escaped for each format.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/spanning/minimum_spanning_network.hpp"

namespace kelvane {

// What the nodes show: per genotype its individuals in data order and its count in each
// population that holds it (populations that do not are left out, so that the files grow with
// the individuals, not with genotypes times populations).
struct NetworkNodes {
    std::vector<std::string> individuals;  // names separated by blanks
    std::vector<std::map<int32_t, int64_t>> per_population;
    // The individuals of genotype g in populations.
    int64_t size(std::size_t g) const;
};

NetworkNodes network_nodes(const MarkerData& data, const Genotypes& genotypes);

void write_network_graphml(const MarkerData& data, const Genotypes& genotypes,
                           std::span<const NetworkEdge> edges, std::ostream& out);

void write_network_dot(const MarkerData& data, const Genotypes& genotypes,
                       std::span<const NetworkEdge> edges, std::ostream& out);

}  // namespace kelvane
