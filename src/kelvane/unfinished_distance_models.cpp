// NOT BUILT YET: the distance models of the distance menu. Until each model lands, its menu
// choice leaves the matrix as it was and the menu goes on. Each definition here is removed when
// its model is built in a file of its own.
#include "distance_models.hpp"

namespace kelvane {

DistanceResult stepwise_not_counted(const MarkerData&, DistanceMatrix&, bool) {
    return DistanceResult::kDone;
}
DistanceResult stepwise_missing_steps(const MarkerData&, DistanceMatrix&, int32_t, bool) {
    return DistanceResult::kDone;
}
DistanceResult stepwise_average_fill(const MarkerData&, DistanceMatrix&) {
    return DistanceResult::kDone;
}
DistanceResult infinite_allele_one(const MarkerData&, DistanceMatrix&) {
    return DistanceResult::kDone;
}
DistanceResult infinite_allele_steps(const MarkerData&, DistanceMatrix&, int32_t) {
    return DistanceResult::kDone;
}
DistanceResult dice_distance(const MarkerData&, DistanceMatrix&, int32_t) {
    return DistanceResult::kDone;
}
DistanceResult two_phase_distance(const MarkerData&, DistanceMatrix&, int32_t, float, float) {
    return DistanceResult::kDone;
}

}  // namespace kelvane
