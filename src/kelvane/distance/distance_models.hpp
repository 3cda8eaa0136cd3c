// The distance models as data: which model and which settings, exactly the settings the menus of
// the dialogue offer, and the one call that fills the matrix with any of them. Every model works
// for any maximum ploidy, spreads its pairs over the cores of the machine and gives the same
// matrix whatever the number of workers.
#pragma once

#include <cstdint>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/distance/repeat_units.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

enum class DistanceKind { kStepwise, kSquared, kTwoPhase, kInfiniteAllele, kDice, kMismatch };

// What a missing copy counts for; each kind takes some of these (see model_accepts).
enum class MissingData {
    kNotCounted,   // every kind
    kSteps,        // missing_steps steps or mutations each: every kind but Dice and mismatch
    kAverage,      // stepwise only: the average allele value of the locus
    kInfinite,     // two-phase only: infinitely many steps
    kOneMutation,  // infinite allele only: every copy slot takes part, a missing one counts one
};

// Two-phase distances between partial genotypes of polyploids (fewer copies observed than the
// ploidy, the dosage unknown): at every locus the pair is compared at the larger number of copies
// observed, and the copies the other genotype lacks are, under
//   kInfinite:    infinitely far from any copy (cost 1 each);
//   kAddition:    every ordered filling from its own observed copies (genome addition), averaged;
//   kLoss:        every ordered filling from the fuller genotype's copies (genome loss), averaged;
//   kCombination: the mean of addition and loss.
// A locus with no copy in either individual is left out of the mean over loci. kNone keeps the
// missing-data rules above.
enum class PartialGenotypes { kNone, kInfinite, kAddition, kLoss, kCombination };

struct DistanceModel {
    DistanceKind kind = DistanceKind::kStepwise;
    MissingData missing = MissingData::kNotCounted;
    int32_t missing_steps = 0;  // with kSteps, 0 or more
    float multiplier = 100.0f;  // two-phase and mismatch, 1 or more
    float base = 2.0f;          // two-phase, 1 or more
    int32_t absence_code = 8;   // Dice
    // Stepwise, squared and two-phase: allele codes counted in repeats of these lengths.
    RepeatUnits repeat_units{};
    PartialGenotypes partial = PartialGenotypes::kNone;  // two-phase with kNotCounted only
    // Mismatch: pairs calling fewer loci in common have no distance; 0 for half the loci.
    int32_t min_shared_loci = 0;
};

// Whether kind takes missing: Dice and mismatch take only kNotCounted (Dice discards missing
// copies, mismatch compares the loci called in both).
bool model_accepts(DistanceKind kind, MissingData missing);

// Fills the matrix with the model's distances. The model's settings must be accepted and in
// range.
DistanceResult compute_distances(const MarkerData& data, DistanceMatrix& matrix,
                                 const DistanceModel& model, const DistanceOptions& options = {});

// The distances before any multiplier and rounding: the two-phase mean over loci (divided by the
// copy count; for partial genotypes each locus by its own, NaN for a pair with no locus typed in
// both), the mismatch share (NaN for a pair without a distance), the whole counts of the other
// models; every pair (i, j < i) at i * (i - 1) / 2 + j.
// Not for Dice, whose distances are computed rounded. Empty when a count exceeds 32 bits.
std::vector<double> real_distances(const MarkerData& data, const DistanceModel& model,
                                   const DistanceOptions& options = {});

}  // namespace kelvane
