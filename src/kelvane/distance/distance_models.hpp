// The distance models as data: which model and which settings, exactly the settings the menus of
// the dialogue offer, and the one call that fills the matrix with any of them. Every model works
// for any maximum ploidy, spreads its pairs over the cores of the machine and gives the same
// matrix whatever the number of workers.
#pragma once

#include <cstdint>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

enum class DistanceKind { kStepwise, kSquared, kTwoPhase, kInfiniteAllele, kDice };

// What a missing copy counts for; each kind takes some of these (see model_accepts).
enum class MissingData {
    kNotCounted,   // every kind but Dice
    kSteps,        // missing_steps steps or mutations each: every kind but Dice
    kAverage,      // stepwise only: the average allele value of the locus
    kInfinite,     // two-phase only: infinitely many steps
    kOneMutation,  // infinite allele only: every copy slot takes part, a missing one counts one
};

struct DistanceModel {
    DistanceKind kind = DistanceKind::kStepwise;
    MissingData missing = MissingData::kNotCounted;
    int32_t missing_steps = 0;  // with kSteps, 0 or more
    float multiplier = 100.0f;  // two-phase, 1 or more
    float base = 2.0f;          // two-phase, 1 or more
    int32_t absence_code = 8;   // Dice
};

// Whether kind takes missing: Dice takes only kNotCounted (its missing copies are discarded).
bool model_accepts(DistanceKind kind, MissingData missing);

// Fills the matrix with the model's distances. The model's settings must be accepted and in
// range.
DistanceResult compute_distances(const MarkerData& data, DistanceMatrix& matrix,
                                 const DistanceModel& model, const DistanceOptions& options = {});

}  // namespace kelvane
