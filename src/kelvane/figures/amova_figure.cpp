// The figure of the AMOVA's permutation test.
#include "kelvane/figures/amova_figure.hpp"

#include <algorithm>
#include <cmath>

#include "plot/bins.hpp"
#include "plot/number_format.hpp"

namespace kelvane {
namespace {

// About the square root of the number of values, within limits that keep bars readable.
int bin_count(std::size_t values) {
    const auto root = static_cast<int>(std::lround(std::sqrt(static_cast<double>(values))));
    return std::clamp(root, 10, 40);
}

}  // namespace

clonal::plot::Figure amova_figure(double observed, std::span<const double> permuted) {
    using namespace clonal::plot;
    Figure figure;
    figure.title = "Permutation test of Phi-st";
    figure.description = "The Phi-st of " + std::to_string(permuted.size()) +
                         " random assignments of the individuals to populations, and the "
                         "observed Phi-st.";
    Panel panel;
    panel.x.title = "Phi-st (no unit)";
    panel.y.title = "Permutations (count)";
    panel.y.include_zero = true;
    panel.y.integers = true;
    double low = std::isfinite(observed) ? observed : INFINITY;
    double high = std::isfinite(observed) ? observed : -INFINITY;
    for (const double value : permuted) {
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    if (low <= high && !permuted.empty()) {
        const Domain span = widened({low, high}, ScaleKind::kLinear);
        panel.add(bars_of(equal_bins(permuted, span.low, span.high, bin_count(permuted.size())),
                          "permuted Phi-st"));
    }
    if (std::isfinite(observed)) {
        panel.add(ReferenceLine{observed, "observed Phi-st " + readable_real(observed)});
    }
    if (permuted.empty()) {
        panel.add(Note{"No permutations were run."});
    } else if (!std::isfinite(observed)) {
        panel.add(Note{"Phi-st is not defined for these data."});
    }
    figure.add_panel(std::move(panel));
    return figure;
}

}  // namespace kelvane
