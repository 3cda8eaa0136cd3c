// Where the genotypes of a minimum spanning network are drawn: a radial tree, computed without
// chance so that the same network always gives the same picture. One spanning tree of the
// network (its shortest links first, ties in the order of the genotypes) is hung from the
// largest genotype at the centre; every genotype lies on the ring of its depth, in the middle
// of a wedge of its parent's wedge in proportion to the leaves below it, so that no two
// branches of the tree cross. Rings lie one unit apart, further out where a ring holds more
// genotypes than a unit of arc each allows. The other links of the network are drawn between the
// positions the tree gives.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/grouping/spanning/minimum_spanning_network.hpp"
#include "plot/figure.hpp"

namespace kelvane {

struct NetworkLayout {
    std::vector<clonal::plot::Point> positions;  // per genotype row
    int depth = 0;                               // the deepest genotype's depth
    double radius = 0.0;                         // of the outermost ring
};

// sizes: the individuals of every genotype row; edges between those rows.
NetworkLayout network_layout(std::span<const int64_t> sizes, std::span<const NetworkEdge> edges);

}  // namespace kelvane
