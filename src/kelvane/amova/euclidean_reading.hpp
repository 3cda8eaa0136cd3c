// How an AMOVA reads distances D as squared Euclidean distances, in the peers' terms (ade4, and
// poppr, which hands ade4 the square root of distances that count squared): sqrt takes sqrt(D) as
// the Euclidean distance, so D itself is the squared distance (the default, and the reading of
// the simple AMOVA); none takes D as the Euclidean distance (squared: D^2); cailliez and lingoes
// take sqrt(D) and, when it is not Euclidean, correct it with the smallest constant that makes it
// so: sqrt(D) + c (Cailliez 1983), or sqrt(D + 2c) (Lingoes 1971), off the diagonal. A matrix is
// Euclidean as ade4's is.euclid tells it: no eigenvalue of -1/2 J D J below -1e-7 times the
// largest (J centres rows and columns).
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "common/core/named_choices.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

enum class EuclideanReading { kSqrt, kNone, kCailliez, kLingoes };

// sqrt, none, cailliez, lingoes (the setting euclidean).
std::span<const clonal::NamedChoice<EuclideanReading>> euclidean_readings();

struct EuclideanValues {
    std::vector<double> cells;  // the squared Euclidean distances, lower triangle row after row
    bool corrected = false;     // sqrt(D) was not Euclidean and the constant was added
    double constant = 0.0;      // the correction's constant c
};

// The values of the pairs of the rows given, in their order. The corrections take O(n^3) time.
EuclideanValues euclidean_values(const DistanceMatrix& matrix, std::span<const int> rows,
                                 EuclideanReading reading);

// Whether squared distances (lower triangle row after row, n rows) come from points of a
// Euclidean space, within the tolerance above.
bool is_euclidean(std::span<const double> squared, int n);

}  // namespace kelvane
