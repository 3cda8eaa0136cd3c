// Costs of matching allele copies under the two-phase model.
#include "kelvane/distance/matching/two_phase_costs.hpp"

#include <algorithm>
#include <cmath>

namespace kelvane {
namespace {

// Costs are kept for at most this many step counts; larger ones are computed when met (the
// same expression, so the same value).
constexpr int64_t kKeptSteps = 1 << 16;

}  // namespace

TwoPhaseCosts::TwoPhaseCosts(float base, int32_t missing, int64_t largest_steps)
    : base_(static_cast<double>(base)), missing_cost_(0.0) {
    if (missing > 9999) {
        missing_cost_ = 1.0;
    } else if (missing >= 1) {
        missing_cost_ = computed_cost(missing);
    }
    const int64_t kept = std::clamp<int64_t>(largest_steps + 1, 1, kKeptSteps);
    step_costs_.resize(static_cast<std::size_t>(kept));
    for (int64_t steps = 0; steps < kept; ++steps) {
        step_costs_[static_cast<std::size_t>(steps)] = computed_cost(steps);
    }
}

double TwoPhaseCosts::computed_cost(int64_t steps) const {
    return 1.0 - std::pow(base_, -static_cast<double>(steps));
}

}  // namespace kelvane
