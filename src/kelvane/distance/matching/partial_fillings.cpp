// The mean best matching over the fillings of a partial genotype, by a tree of multisets.
#include "kelvane/distance/matching/partial_fillings.hpp"

#include <algorithm>
#include <bit>
#include <limits>

#include "common/core/bug_check.hpp"

namespace kelvane {

// Every subset of up to kFillingCopyLimit copies by its size, ascending: of each size, the
// subsets of the first p copies come first, C(p, size) of them.
struct SubsetsBySize {
    std::array<std::vector<uint32_t>, kFillingCopyLimit + 1> of_size;
    std::array<std::array<std::size_t, kFillingCopyLimit + 1>, kFillingCopyLimit + 1> count{};

    SubsetsBySize() {
        for (uint32_t mask = 0; mask < (1u << kFillingCopyLimit); ++mask) {
            of_size[static_cast<std::size_t>(std::popcount(mask))].push_back(mask);
        }
        for (std::size_t p = 0; p <= kFillingCopyLimit; ++p) {
            for (std::size_t size = 0; size <= p; ++size) {
                count[p][size] =
                    size == 0 || size == p ? 1 : count[p - 1][size - 1] + count[p - 1][size];
            }
        }
    }

    std::span<const uint32_t> of(int p, int size) const {
        return std::span<const uint32_t>(of_size[static_cast<std::size_t>(size)])
            .first(count[static_cast<std::size_t>(p)][static_cast<std::size_t>(size)]);
    }
};

namespace {

const SubsetsBySize& subsets_by_size() {
    static const SubsetsBySize table;
    return table;
}

// The best sum of the copies matched to a subset when one more copy, whose costs against each
// member are given, joins those matched to its subsets one smaller (above).
double best_with(const double* above, const double* costs, uint32_t mask) {
    double best = std::numeric_limits<double>::infinity();
    for (uint32_t rest = mask; rest != 0; rest &= rest - 1) {
        const int f = std::countr_zero(rest);
        best = std::min(best, above[mask ^ (1u << f)] + costs[f]);
    }
    return best;
}

// 1 / n for the counts of one value among the filled copies.
constexpr std::array<double, kFillingCopyLimit + 1> kInverse = [] {
    std::array<double, kFillingCopyLimit + 1> inverse{};
    for (std::size_t n = 1; n < inverse.size(); ++n) {
        inverse[n] = 1.0 / static_cast<double>(n);
    }
    return inverse;
}();

}  // namespace

PartialFillings::PartialFillings(const TwoPhaseCosts& costs)
    : costs_(&costs),
      kept_costs_(costs.kept_step_costs().data()),
      kept_steps_(static_cast<int64_t>(costs.kept_step_costs().size())),
      subsets_(&subsets_by_size()) {}

void PartialFillings::compare(std::span<const int32_t> partial, std::span<const int32_t> full) {
    CLONAL_BUG_CHECK(partial.size() < full.size() && full.size() <= kFillingCopyLimit);
    // Observed copies equal to a copy of the fuller genotype pair with it. Without branches on
    // the values, which would be mispredicted about every other copy.
    uint32_t paired = 0;
    q_ = 0;
    for (const int32_t copy : partial) {
        uint32_t equal = 0;
        for (std::size_t f = 0; f < full.size(); ++f) {
            equal |= static_cast<uint32_t>(full[f] == copy) << f;
        }
        equal &= ~paired;
        const uint32_t first = equal & (0u - equal);
        paired |= first;
        partial_rest_[static_cast<std::size_t>(q_)] = copy;
        q_ += first == 0 ? 1 : 0;
    }
    p_ = 0;
    for (std::size_t f = 0; f < full.size(); ++f) {
        full_rest_[static_cast<std::size_t>(p_)] = full[f];
        p_ += static_cast<int>(((paired >> f) & 1u) ^ 1u);
    }
    // No excess copies: the best sum of the observed copies against every subset of their size,
    // built up through the smaller subsets in the same place (observed copy r goes to some member
    // of a subset of r + 1 copies).
    const std::size_t subsets = std::size_t{1} << p_;
    if (best_.size() < static_cast<std::size_t>(p_ - q_ + 1) * subsets) {
        best_.resize(static_cast<std::size_t>(p_ - q_ + 1) * subsets);
    }
    best_[0] = 0.0;
    std::array<double, kFillingCopyLimit> costs;  // filled before read
    if (q_ == 1 || q_ == 2) {
        // Written out for the one or two copies of most partial genotypes.
        const auto n = static_cast<std::size_t>(p_);
        std::array<double, kFillingCopyLimit> second;  // filled before read
        for (std::size_t f = 0; f < n; ++f) {
            costs[f] = cost(partial_rest_[0], full_rest_[f]);
            best_[std::size_t{1} << f] = costs[f];
        }
        if (q_ == 2) {
            for (std::size_t f = 0; f < n; ++f) {
                second[f] = cost(partial_rest_[1], full_rest_[f]);
            }
            for (std::size_t f = 0; f < n; ++f) {
                for (std::size_t g = f + 1; g < n; ++g) {
                    best_[(std::size_t{1} << f) | (std::size_t{1} << g)] =
                        std::min(costs[f] + second[g], costs[g] + second[f]);
                }
            }
        }
        return;
    }
    for (int size = 1; size <= q_; ++size) {
        const int32_t copy = partial_rest_[static_cast<std::size_t>(size - 1)];
        for (std::size_t f = 0; f < static_cast<std::size_t>(p_); ++f) {
            costs[f] = cost(copy, full_rest_[f]);
        }
        for (const uint32_t mask : subsets_->of(p_, size)) {
            best_[mask] = best_with(best_.data(), costs.data(), mask);
        }
    }
}

double PartialFillings::mean_over(std::span<const int32_t> candidates) {
    CLONAL_BUG_CHECK(!candidates.empty() && candidates.size() <= kFillingCopyLimit);
    // The distinct values (the candidates come in descending order) and how many hold each.
    n_values_ = 0;
    for (const int32_t candidate : candidates) {
        if (n_values_ > 0 && values_[n_values_ - 1] == candidate) {
            multiplicities_[n_values_ - 1] += 1.0;
        } else {
            values_[n_values_] = candidate;
            multiplicities_[n_values_++] = 1.0;
        }
    }
    const auto p = static_cast<std::size_t>(p_);
    for (std::size_t v = 0; v < n_values_; ++v) {
        equal_copies_[v] = 0;
        for (std::size_t f = 0; f < p; ++f) {
            equal_copies_[v] |= static_cast<uint32_t>(values_[v] == full_rest_[f]) << f;
        }
    }
    costs_known_ = 0;
    const auto all = static_cast<uint32_t>((1u << p_) - 1);
    if (n_values_ == 1 && std::all_of(partial_rest_.begin(), partial_rest_.begin() + q_,
                                      [&](int32_t copy) { return copy == values_[0]; })) {
        // One value fills every copy and holds every observed one left: every matching sums
        // the same costs (a single copy seen in a tetraploid, filled from itself).
        const double* costs = value_costs(0);
        double total = 0.0;
        for (std::size_t f = 0; f < p; ++f) {
            total += costs[f];
        }
        return total;
    }
    if (q_ + 1 == p_) {
        // One copy to fill: a sum over the candidates, no tree.
        double total = 0.0;
        for (std::size_t v = 0; v < n_values_; ++v) {
            const uint32_t equal = equal_copies_[v];
            total +=
                multiplicities_[v] * (equal != 0 ? best_[all ^ (equal & (0u - equal))]
                                                 : best_with(best_.data(), value_costs(v), all));
        }
        return total / static_cast<double>(candidates.size());
    }
    const double total = descend(1, 0, all, 0, 0, 1.0);
    double choices = 1.0;
    for (int filled = q_; filled < p_; ++filled) {
        choices *= static_cast<double>(candidates.size());
    }
    return total / choices;
}

// Wanted only for filled copies that find no equal copy, so computed when first wanted.
const double* PartialFillings::value_costs(std::size_t value) {
    const auto p = static_cast<std::size_t>(p_);
    double* costs = value_costs_.data() + value * p;
    if ((costs_known_ >> value & 1u) == 0) {
        for (std::size_t f = 0; f < p; ++f) {
            costs[f] = cost(values_[value], full_rest_[f]);
        }
        costs_known_ |= 1u << value;
    }
    return costs;
}

// The weighted sum over the fillings that extend a prefix by filled copy number `depth` (1 to
// p - q) of a value at first_value or after it; excess: the excess copies of the prefix; open:
// the copies of the fuller genotype not paired with a filled copy; run: how many copies of
// first_value the prefix holds; weight: the orders of the prefix's choices. Every sum wanted
// below a node lies within its open copies, which only shrink further down, so an excess copy
// extends the sums over the subsets of the open copies only.
double PartialFillings::descend(int depth, int excess, uint32_t open, std::size_t first_value,
                                int run, double weight) {
    const std::size_t subsets = std::size_t{1} << p_;
    const bool last = depth == p_ - q_;
    double total = 0.0;
    for (std::size_t v = first_value; v < n_values_; ++v) {
        const int copies = v == first_value ? run + 1 : 1;
        const double orders =
            weight * multiplicities_[v] * depth * kInverse[static_cast<std::size_t>(copies)];
        int level = excess;
        uint32_t left = open;
        if (const uint32_t equal = open & equal_copies_[v]; equal != 0) {
            left ^= equal & (0u - equal);
        } else {
            level = excess + 1;
            const double* above = best_.data() + static_cast<std::size_t>(excess) * subsets;
            double* here = best_.data() + static_cast<std::size_t>(level) * subsets;
            const double* costs = value_costs(v);
            if (last) {
                here[open] = best_with(above, costs, open);
            } else {
                for (const uint32_t mask : subsets_->of(p_, q_ + level)) {
                    if ((mask & ~open) == 0) {
                        here[mask] = best_with(above, costs, mask);
                    }
                }
            }
        }
        if (last) {
            total += orders * best_[static_cast<std::size_t>(level) * subsets + left];
        } else {
            total += descend(depth + 1, level, left, v, copies, orders);
        }
    }
    return total;
}

}  // namespace kelvane
