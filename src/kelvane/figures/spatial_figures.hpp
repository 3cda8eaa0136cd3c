// The figures of where the clones are: the map of the ramets by genet, and the kinship
// correlogram.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kelvane/spatial/clonal_subrange.hpp"
#include "kelvane/spatial/coordinates.hpp"
#include "kelvane/spatial/kinship_correlogram.hpp"
#include "plot/figure.hpp"

namespace kelvane {

// A point per ramet at its coordinates: the largest genets of several ramets each in a colour of
// its own and named, the other genets of several ramets in one more colour, genets of one ramet
// grey; a segment joins the two ramets farthest apart in every genet of several ramets (its
// spread, from clonal_subrange over the same ramets).
clonal::plot::Figure genet_map_figure(const Coordinates& coordinates,
                                      const std::vector<int32_t>& genets,
                                      const SubrangeResult& spreads);

// The mean kinship of each class against its mean distance, the band between the 2.5 % and
// 97.5 % of the permuted means (when there are permutations), and the line of no kinship.
clonal::plot::Figure correlogram_figure(const CorrelogramResult& result, bool geographic);

}  // namespace kelvane
