// The mean best matching over the fillings of a partial genotype, by a tree of multisets.
#include "kelvane/distance/matching/partial_fillings.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "common/core/bug_check.hpp"

namespace kelvane {

double PartialFillings::mean_filled_sum(std::span<const int32_t> partial,
                                        std::span<const int32_t> full,
                                        std::span<const int32_t> candidates) {
    p_ = static_cast<int>(full.size());
    q_ = static_cast<int>(partial.size());
    CLONAL_BUG_CHECK(q_ < p_ && p_ <= kFillingCopyLimit && !candidates.empty());
    const auto subsets = std::size_t{1} << p_;
    if (masks_by_size_.size() != static_cast<std::size_t>(p_) + 1) {
        masks_by_size_.assign(static_cast<std::size_t>(p_) + 1, {});
        for (uint32_t mask = 0; mask < subsets; ++mask) {
            masks_by_size_[static_cast<std::size_t>(std::popcount(mask))].push_back(mask);
        }
    }
    // The distinct candidate values and how many candidates hold each.
    values_.assign(candidates.begin(), candidates.end());
    std::ranges::sort(values_);
    multiplicities_.clear();
    std::size_t distinct = 0;
    for (std::size_t c = 0; c < values_.size(); ++c) {
        if (c > 0 && values_[c] == values_[distinct - 1]) {
            multiplicities_.back() += 1.0;
        } else {
            values_[distinct++] = values_[c];
            multiplicities_.push_back(1.0);
        }
    }
    values_.resize(distinct);
    const auto p = static_cast<std::size_t>(p_);
    value_costs_.resize(distinct * p);
    for (std::size_t v = 0; v < distinct; ++v) {
        for (std::size_t f = 0; f < p; ++f) {
            value_costs_[v * p + f] = cost(values_[v], full[f]);
        }
    }
    // Level 0: the best sum of the observed copies against every subset of their size, built up
    // through the smaller subsets in the same place (copy r of the partial genotype goes to some
    // member of a subset of r + 1 copies; the next level reads the subsets of size q only).
    const int levels = p_ - q_ + 1;
    best_.assign(static_cast<std::size_t>(levels) * subsets,
                 std::numeric_limits<double>::infinity());
    best_[0] = 0.0;
    for (int size = 1; size <= q_; ++size) {
        const int32_t copy = partial[static_cast<std::size_t>(size - 1)];
        for (const uint32_t mask : masks_by_size_[static_cast<std::size_t>(size)]) {
            double best = std::numeric_limits<double>::infinity();
            for (uint32_t rest = mask; rest != 0; rest &= rest - 1) {
                const int f = std::countr_zero(rest);
                best = std::min(
                    best, best_[mask ^ (1u << f)] + cost(copy, full[static_cast<std::size_t>(f)]));
            }
            best_[mask] = best;
        }
    }
    total_ = 0.0;
    descend(1, 0, 0, 1.0);
    const double choices = std::pow(static_cast<double>(candidates.size()), levels - 1);
    return total_ / choices;
}

// Adds one filled copy at `level` (1 to p - q), of a value at or after first_value; run: how many
// copies of first_value the prefix holds already; weight: the orders of the prefix's choices.
void PartialFillings::descend(int level, std::size_t first_value, int run, double weight) {
    const auto p = static_cast<std::size_t>(p_);
    const std::size_t subsets = std::size_t{1} << p_;
    const double* above = best_.data() + static_cast<std::size_t>(level - 1) * subsets;
    double* here = best_.data() + static_cast<std::size_t>(level) * subsets;
    const bool last = level == p_ - q_;
    for (std::size_t v = first_value; v < values_.size(); ++v) {
        const int copies = v == first_value ? run + 1 : 1;
        const double orders = weight * multiplicities_[v] * level / copies;
        const double* costs = value_costs_.data() + v * p;
        const auto fill = [&](uint32_t mask) {
            double best = std::numeric_limits<double>::infinity();
            for (uint32_t rest = mask; rest != 0; rest &= rest - 1) {
                const int f = std::countr_zero(rest);
                best = std::min(best, above[mask ^ (1u << f)] + costs[f]);
            }
            return best;
        };
        if (last) {
            total_ += orders * fill(static_cast<uint32_t>(subsets - 1));
        } else {
            for (const uint32_t mask : masks_by_size_[static_cast<std::size_t>(q_ + level)]) {
                here[mask] = fill(mask);
            }
            descend(level + 1, v, copies, orders);
        }
    }
}

}  // namespace kelvane
