// Classes of the spatial distances between pairs of individuals, as clone studies make them:
// classes of equal width from 0 to the largest distance (10 by default), classes of (nearly)
// equal numbers of pairs, or classes between limits given. Distances are compared with the
// limits rounded (to 7 decimals as the subrange takes them, 5 for the correlogram), each class
// holding its lower limit and the last its upper one.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "kelvane/spatial/coordinates.hpp"

namespace kelvane {

struct ClassSettings {
    int classes = 10;            // equal width, or equal pairs
    bool equal_pairs = false;    // classes of equal numbers of pairs
    std::vector<double> limits;  // given limits, ascending (then classes is ignored)
    int digits = 7;              // distances and limits are compared rounded to these decimals
};

// A pair (i, j < i) of individuals and its class.
struct ClassedPair {
    int i;
    int j;
    double distance;  // rounded, except under equal pairs
    int klass;        // 0 to classes - 1
};

struct DistanceClasses {
    std::vector<double> limits;  // classes + 1 limits
    int count() const { return limits.empty() ? 0 : static_cast<int>(limits.size()) - 1; }
};

// Settings that can make classes: a number of classes in the range of spatial.classes (the table
// of setting ranges), or from 2 to one more than its largest number of limits, finite and
// ascending, without equal pairs. Otherwise a
// SettingError naming {classes}, {class_limits} or {equal_pairs}.
void check_class_settings(const ClassSettings& settings);

// x rounded to 7 decimals, or to digits.
double round7(double x);
double rounded(double x, int digits);

// The classes of the pairs of the individuals given (indices into coordinates), and every pair
// with its class, in the order i = 1, j = 0; i = 2, j = 0; ... (column by column of the lower
// triangle: j outer, i inner). Under equal pairs the pairs are ranked by distance (ties in that
// order), the first classes taking one more pair or the last one fewer so that the sizes add
// up, and a class's upper limit is its largest distance. Settings as check_class_settings wants
// them, and given limits that leave pairs out, are a SettingError naming them; fewer than 2
// individuals give no pairs and no classes.
DistanceClasses classify_pairs(const Coordinates& coordinates, const std::vector<int>& members,
                               const ClassSettings& settings,
                               const std::function<void(const ClassedPair&)>& pair_done);

}  // namespace kelvane
