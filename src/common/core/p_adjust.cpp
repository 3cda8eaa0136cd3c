// Holm: the i-th smallest of n p-values becomes the largest of (n - j + 1) p_(j) over j <= i, at
// most 1. Benjamini-Hochberg: the i-th smallest becomes the smallest of (n / j) p_(j) over j >= i,
// at most 1.
#include "common/core/p_adjust.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace clonal {

std::optional<PAdjustment> p_adjustment_named(std::string_view name) {
    if (name == "none") {
        return PAdjustment::kNone;
    }
    if (name == "holm") {
        return PAdjustment::kHolm;
    }
    if (name == "bh") {
        return PAdjustment::kBenjaminiHochberg;
    }
    return std::nullopt;
}

std::vector<double> adjusted_p_values(std::span<const double> p, PAdjustment adjustment) {
    std::vector<double> adjusted(p.begin(), p.end());
    if (adjustment == PAdjustment::kNone) {
        return adjusted;
    }
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (!std::isnan(p[i])) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    const auto n = static_cast<double>(order.size());
    if (adjustment == PAdjustment::kHolm) {
        double largest = 0.0;
        for (std::size_t r = 0; r < order.size(); ++r) {
            largest = std::max(largest, (n - static_cast<double>(r)) * p[order[r]]);
            adjusted[order[r]] = std::min(1.0, largest);
        }
        return adjusted;
    }
    double smallest = INFINITY;
    for (std::size_t r = order.size(); r-- > 0;) {
        smallest = std::min(smallest, n / static_cast<double>(r + 1) * p[order[r]]);
        adjusted[order[r]] = std::min(1.0, smallest);
    }
    return adjusted;
}

}  // namespace clonal
