// The cost of matching two allele copies under the two-phase model: 1 - base^(-steps) for two
// present copies, a fixed cost when either is missing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kelvane {

class TwoPhaseCosts {
  public:
    // base: single precision as typed, 1 or more. largest_steps: the largest number of steps
    // expected between two copies; costs up to it are computed once.
    TwoPhaseCosts(float base, int32_t missing, int64_t largest_steps);

    // 1.0 for more than 9999 steps ("infinitely large"), 1 - base^(-missing) for 1 to 9999,
    // 0.0 for none.
    double missing_cost() const { return missing_cost_; }

    // 1 - base^(-steps) in double precision with the base widened, steps 0 or more.
    double step_cost(int64_t steps) const {
        if (steps < static_cast<int64_t>(step_costs_.size())) {
            return step_costs_[static_cast<std::size_t>(steps)];
        }
        return computed_cost(steps);
    }

    // The costs of 0, 1, 2, ... steps computed once: every step count up to the largest one given
    // to the constructor, unless there are too many.
    std::span<const double> kept_step_costs() const { return step_costs_; }

  private:
    double computed_cost(int64_t steps) const;

    double base_;
    double missing_cost_;
    std::vector<double> step_costs_;
};

}  // namespace kelvane
