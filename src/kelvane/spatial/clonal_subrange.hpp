// How far genets spread: per class of spatial distance, the share of pairs of ramets that belong
// to one genet (the probability of clonal identity against distance), and the largest distance
// between two ramets of each genet, whose largest value is the clonal subrange.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "kelvane/spatial/coordinates.hpp"
#include "kelvane/spatial/distance_classes.hpp"

namespace kelvane {

struct SubrangeClass {
    double from = 0.0;
    double to = 0.0;
    int64_t pairs = 0;
    double distance_sum = 0.0;
    int64_t same_genet = 0;  // pairs of ramets of one genet
};

struct GenetSpread {
    int32_t genet = 0;  // the genet's number
    int64_t ramets = 0;
    double subrange = 0.0;  // the largest distance between two of its ramets; 0 for one ramet
    int first = -1;         // the two ramets that far apart (the first pair found); -1 for one
    int second = -1;
};

struct SubrangeResult {
    std::vector<SubrangeClass> classes;
    std::vector<GenetSpread> genets;  // by number
    std::optional<double> subrange;   // the largest spread; nothing when no genet repeats
};

// genets: the genet number (1 to the count) of every individual; members: those analysed.
SubrangeResult clonal_subrange(const Coordinates& coordinates, const std::vector<int32_t>& genets,
                               const std::vector<int>& members, const ClassSettings& settings);

}  // namespace kelvane
