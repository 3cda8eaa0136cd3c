// The scales.
#include "plot/scale.hpp"

#include <algorithm>
#include <cmath>

#include "common/core/bug_check.hpp"

namespace clonal::plot {

Scale::Scale(ScaleKind kind, Domain domain, double start, double end)
    : kind_(kind), domain_(domain), start_(start), end_(end) {
    CLONAL_BUG_CHECK(domain.low < domain.high);
    CLONAL_BUG_CHECK(kind == ScaleKind::kLinear || domain.low > 0.0);
}

double Scale::operator()(double value) const {
    double share = 0.0;
    if (kind_ == ScaleKind::kLinear) {
        share = (value - domain_.low) / (domain_.high - domain_.low);
    } else {
        share = (std::log10(value) - std::log10(domain_.low)) /
                (std::log10(domain_.high) - std::log10(domain_.low));
    }
    return start_ + share * (end_ - start_);
}

bool Scale::contains(double value) const {
    if (!std::isfinite(value) || (kind_ == ScaleKind::kLog && value <= 0.0)) {
        return false;
    }
    const double slack = (domain_.high - domain_.low) * 1e-6;
    return value >= domain_.low - slack && value <= domain_.high + slack;
}

BandScale::BandScale(std::size_t categories, double start, double end)
    : start_(start),
      band_(categories == 0 ? 0.0 : (end - start) / static_cast<double>(categories)) {}

double BandScale::centre(std::size_t i) const {
    return start_ + (static_cast<double>(i) + 0.5) * band_;
}

Domain widened(Domain domain, ScaleKind kind) {
    if (kind == ScaleKind::kLinear && domain.low < domain.high) {
        // A span too narrow to label (ticks would need more decimals than a double holds, or
        // their steps would underflow) is drawn as one value at its middle.
        constexpr double kNarrowest = 1e-12;
        constexpr double kSmallest = 1e-200;
        const double size = std::max(std::fabs(domain.low), std::fabs(domain.high));
        if (domain.high - domain.low >= std::max(size * kNarrowest, kSmallest)) {
            return domain;
        }
        const double middle = domain.low / 2.0 + domain.high / 2.0;
        const double margin = size < kSmallest ? 1.0 : size * 0.1;
        return {middle - margin, middle + margin};
    }
    if (domain.low < domain.high) {
        return domain;
    }
    const double value = domain.low;
    if (kind == ScaleKind::kLog) {
        return {value / 10.0, value * 10.0};
    }
    if (value == 0.0) {
        return {0.0, 1.0};
    }
    const double margin = std::fabs(value) * 0.1;
    return {value - margin, value + margin};
}

}  // namespace clonal::plot
