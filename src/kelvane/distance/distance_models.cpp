// Every distance model behind one call.
#include "kelvane/distance/distance_models.hpp"

#include "common/core/bug_check.hpp"
#include "kelvane/distance/dice_distance.hpp"
#include "kelvane/distance/infinite_allele_distance.hpp"
#include "kelvane/distance/mismatch_distance.hpp"
#include "kelvane/distance/partial_two_phase_distance.hpp"
#include "kelvane/distance/stepwise_distance.hpp"
#include "kelvane/distance/two_phase_distance.hpp"

namespace kelvane {
namespace {

// The steps of a missing copy that the two-phase model reads as infinitely many.
constexpr int32_t kInfiniteSteps = 10001;

int32_t two_phase_missing(const DistanceModel& model) {
    if (model.missing == MissingData::kInfinite) {
        return kInfiniteSteps;
    }
    return model.missing == MissingData::kSteps ? model.missing_steps : 0;
}

// The model without its repeat lengths, for the data in repeat units.
DistanceModel counted_in_units(const DistanceModel& model) {
    DistanceModel plain = model;
    plain.repeat_units = {};
    return plain;
}

}  // namespace

bool model_accepts(DistanceKind kind, MissingData missing) {
    switch (missing) {
        case MissingData::kNotCounted:
            return true;
        case MissingData::kSteps:
            return kind != DistanceKind::kDice && kind != DistanceKind::kMismatch;
        case MissingData::kAverage:
            return kind == DistanceKind::kStepwise;
        case MissingData::kInfinite:
            return kind == DistanceKind::kTwoPhase;
        case MissingData::kOneMutation:
            return kind == DistanceKind::kInfiniteAllele;
    }
    return false;
}

DistanceResult compute_distances(const MarkerData& data, DistanceMatrix& matrix,
                                 const DistanceModel& model, const DistanceOptions& options) {
    CLONAL_BUG_CHECK(model_accepts(model.kind, model.missing));
    if (!model.repeat_units.lengths.empty()) {
        return compute_distances(in_repeat_units(data, model.repeat_units), matrix,
                                 counted_in_units(model), options);
    }
    if (model.partial != PartialGenotypes::kNone) {
        return partial_two_phase_distance(data, matrix, model, options);
    }
    const int32_t steps = model.missing == MissingData::kSteps ? model.missing_steps : 0;
    switch (model.kind) {
        case DistanceKind::kStepwise:
        case DistanceKind::kSquared: {
            const bool squared = model.kind == DistanceKind::kSquared;
            if (model.missing == MissingData::kAverage) {
                return stepwise_average_fill(data, matrix, options);
            }
            if (model.missing == MissingData::kSteps) {
                return stepwise_missing_steps(data, matrix, steps, squared, options);
            }
            return stepwise_not_counted(data, matrix, squared, options);
        }
        case DistanceKind::kTwoPhase: {
            return two_phase_distance(data, matrix, two_phase_missing(model), model.base,
                                      model.multiplier, options);
        }
        case DistanceKind::kInfiniteAllele:
            if (model.missing == MissingData::kOneMutation) {
                return infinite_allele_one(data, matrix, options);
            }
            return infinite_allele_steps(data, matrix, steps, options);
        case DistanceKind::kDice:
            return dice_distance(data, matrix, model.absence_code, options);
        case DistanceKind::kMismatch:
            return mismatch_distance(data, matrix, model, options);
    }
    clonal::bug_check_failed("a known distance kind", __FILE__, __LINE__);
}

std::vector<double> real_distances(const MarkerData& data, const DistanceModel& model,
                                   const DistanceOptions& options) {
    CLONAL_BUG_CHECK(model.kind != DistanceKind::kDice);
    if (!model.repeat_units.lengths.empty()) {
        return real_distances(in_repeat_units(data, model.repeat_units), counted_in_units(model),
                              options);
    }
    if (model.partial != PartialGenotypes::kNone) {
        return partial_two_phase_means(data, model, options);
    }
    if (model.kind == DistanceKind::kTwoPhase) {
        return two_phase_means(data, two_phase_missing(model), model.base, options);
    }
    if (model.kind == DistanceKind::kMismatch) {
        return mismatch_shares(data, model, options);
    }
    // The other models count whole steps or mutations: their distances are exact already.
    DistanceMatrix matrix(data.n_individuals);
    if (compute_distances(data, matrix, model, options) != DistanceResult::kDone) {
        return {};
    }
    return lower_triangle(matrix);
}

}  // namespace kelvane
