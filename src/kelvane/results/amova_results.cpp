// The AMOVA's table and figure.
#include "kelvane/results/amova_results.hpp"

#include <algorithm>
#include <cmath>

#include "plot/bins.hpp"
#include "plot/number_format.hpp"

namespace kelvane {
namespace {

void write_row(clonal::ResultTable& result, const char* source, int32_t df, double ss,
               double variance, double total_variance) {
    result.text(source).integer(df).real(ss).real(variance).real((100 * variance) / total_variance);
}

// About the square root of the number of values, within limits that keep bars readable.
int bin_count(std::size_t values) {
    const auto root = static_cast<int>(std::lround(std::sqrt(static_cast<double>(values))));
    return std::clamp(root, 10, 40);
}

}  // namespace

clonal::ResultTable amova_result_table(const AmovaTable& table, const AmovaPermutationTest& test) {
    clonal::ResultTable result;
    result.header({"source", "df", "ss", "variance", "percent", "phi_st", "p", "p_smaller"});
    write_row(result, "within", table.df_within, table.ss_within, table.sigma2_within,
              table.sigma2_total);
    result.missing().missing().missing();
    result.end_row();
    write_row(result, "among", table.df_among, table.ss_among, table.sigma2_among,
              table.sigma2_total);
    // Without permutations the p-values are undefined.
    if (test.permutations > 0) {
        result.real(table.phi_st).real(test.p_greater()).real(test.p_smaller());
    } else {
        result.real(table.phi_st).missing().missing();
    }
    result.end_row();
    write_row(result, "total", table.df_total, table.ss_total, table.sigma2_total,
              table.sigma2_total);
    result.missing().missing().missing();
    result.end_row();
    return result;
}

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
