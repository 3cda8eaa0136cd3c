// How kinship decays with distance: the mean Loiselle kinship of the pairs in each class of
// spatial distance (classes as for the subrange, compared at 5 decimals), each class tested by
// permuting the units over the positions, and the regression of the class means on the classes'
// mean distances (b) and on their logarithms (b_log), with F1 the first class's mean and
// Sp = -b / (1 - F1) (Vekemans & Hardy 2004), as RClone's autocorrelation computes them.
//
// The units: every ramet (ramets); one per genet, its first ramet's genotype at the centroid of
// its ramets (genets-central) or at one of its ramets drawn at random, drawn again for every
// permutation (genets-random); or every ramet with each pair weighted 1 / (the sizes of the two
// genets) and pairs within a genet weighted 0 (genets-weighted), the class mean still taken over
// its pairs.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/core/named_choices.hpp"
#include "common/core/random.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/spatial/coordinates.hpp"
#include "kelvane/spatial/distance_classes.hpp"

namespace kelvane {

enum class KinshipLevel { kRamets, kGenetsCentral, kGenetsWeighted, kGenetsRandom };

// ramets, genets-central, genets-weighted, genets-random (the setting level).
std::span<const clonal::NamedChoice<KinshipLevel>> kinship_levels();

struct CorrelogramClass {
    double from = 0.0;
    double to = 0.0;
    int64_t pairs = 0;
    double distance_sum = 0.0;
    double kinship_sum = 0.0;
    double p = 0.0;  // NaN without permutations
};

struct CorrelogramResult {
    std::vector<CorrelogramClass> classes;
    double b = 0.0;
    double b_log = 0.0;
    double f1 = 0.0;
    double sp = 0.0;
    double sp_log = 0.0;
    // Per class, the permuted means in order of the permutations (for the envelope).
    std::vector<std::vector<double>> permuted;
};

// genets: the genet number of every individual; members: those analysed (2 units or more).
// Permutations are drawn from random in order and worked on threads workers. Distances and
// limits are compared rounded to 5 decimals, as RClone rounds them for the correlogram, whatever
// the digits of classes (which the subrange reads).
CorrelogramResult kinship_correlogram(const MarkerData& data, const Coordinates& coordinates,
                                      const std::vector<int32_t>& genets,
                                      const std::vector<int>& members, KinshipLevel level,
                                      ClassSettings classes, int64_t permutations,
                                      clonal::Random& random, int threads);

// The least-squares slope of y on x over the points where both are finite; NaN for fewer than 2.
double least_squares_slope(const std::vector<double>& x, const std::vector<double>& y);

}  // namespace kelvane
