// The nested AMOVA's table. The mean square of level l among its groups within those of level
// l - 1 has the expectation sigma2_within + sum over m >= l of n(l, m) sigma2_m, where
//   n(l, m) = sum over the groups h of level m of size(h)^2 (1 / size(ancestor of h at level l)
//             - 1 / size(ancestor of h at level l - 1)) / df_l,
// and the components are solved from the bottom up.
#include "kelvane/amova/nested_table.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvane {
namespace {

struct Components {
    std::vector<int64_t> df;  // levels 1 to K, within, total
    std::vector<double> ss;
    std::vector<double> sigma2;  // levels 1 to K, within
};

// coefficients[l][m] = n(l + 1, m + 1) * df, for m >= l; the terms of each sum are added in
// ascending order, so that a design whose groups are only numbered otherwise gives the same bits.
std::vector<std::vector<double>> coefficients(const NestedShape& shape) {
    const std::size_t depth = shape.sizes.size();
    std::vector<std::vector<std::vector<double>>> terms(depth,
                                                        std::vector<std::vector<double>>(depth));
    std::vector<int32_t> ancestors(depth + 1, 0);
    for (std::size_t m = 0; m < depth; ++m) {
        for (std::size_t h = 0; h < shape.sizes[m].size(); ++h) {
            // ancestors[j]: the group of level j holding h (j = m + 1 is h itself).
            ancestors[m + 1] = static_cast<int32_t>(h);
            for (std::size_t j = m + 1; j > 1; --j) {
                ancestors[j - 1] = shape.parents[j - 1][static_cast<std::size_t>(ancestors[j])];
            }
            const auto size_at = [&](std::size_t level) {
                return level == 0
                           ? static_cast<double>(shape.units)
                           : static_cast<double>(
                                 shape
                                     .sizes[level - 1][static_cast<std::size_t>(ancestors[level])]);
            };
            const double size = static_cast<double>(shape.sizes[m][h]);
            for (std::size_t l = 0; l <= m; ++l) {
                terms[l][m].push_back(size * size * (1.0 / size_at(l + 1) - 1.0 / size_at(l)));
            }
        }
    }
    std::vector<std::vector<double>> sums(depth, std::vector<double>(depth, 0.0));
    for (std::size_t l = 0; l < depth; ++l) {
        for (std::size_t m = l; m < depth; ++m) {
            sums[l][m] = ascending_sum(terms[l][m]);
        }
    }
    return sums;
}

}  // namespace

double ascending_sum(std::vector<double>& terms) {
    std::sort(terms.begin(), terms.end());
    double sum = 0.0;
    for (const double term : terms) {
        sum += term;
    }
    return sum;
}

namespace {

Components components(std::span<const double> within, const NestedShape& shape) {
    const std::size_t depth = shape.sizes.size();
    Components parts;
    int64_t upper_groups = 1;
    for (std::size_t l = 0; l < depth; ++l) {
        const auto groups = static_cast<int64_t>(shape.sizes[l].size());
        parts.df.push_back(groups - upper_groups);
        parts.ss.push_back(within[l] - within[l + 1]);
        upper_groups = groups;
    }
    parts.df.push_back(shape.units - upper_groups);
    parts.ss.push_back(within[depth]);
    parts.df.push_back(shape.units - 1);
    parts.ss.push_back(within[0]);

    const std::vector<std::vector<double>> n = coefficients(shape);
    parts.sigma2.assign(depth + 1, 0.0);
    const double sigma2_within = parts.ss[depth] / static_cast<double>(parts.df[depth]);
    parts.sigma2[depth] = sigma2_within;
    for (std::size_t l = depth; l-- > 0;) {
        const auto df = static_cast<double>(parts.df[l]);
        double rest = parts.ss[l] / df - sigma2_within;
        for (std::size_t m = l + 1; m < depth; ++m) {
            rest -= (n[l][m] / df) * parts.sigma2[m];
        }
        parts.sigma2[l] = rest / (n[l][l] / df);
    }
    return parts;
}

}  // namespace

std::vector<double> nested_sigma2(std::span<const double> within, const NestedShape& shape) {
    return components(within, shape).sigma2;
}

NestedTable nested_table(std::span<const double> within, const NestedShape& shape) {
    Components parts = components(within, shape);
    const std::size_t depth = shape.sizes.size();
    NestedTable table;
    table.df = std::move(parts.df);
    table.ss = std::move(parts.ss);
    table.sigma2 = std::move(parts.sigma2);
    double total = 0.0;
    for (const double sigma2 : table.sigma2) {
        total += sigma2;
    }
    table.sigma2.push_back(total);
    for (const double sigma2 : table.sigma2) {
        table.percent.push_back(sigma2 / total * 100.0);
    }
    table.phi.assign(depth + 2, std::numeric_limits<double>::quiet_NaN());
    table.phi[0] = table.sigma2[0] / total;
    double below = table.sigma2[depth];
    for (std::size_t l = depth; l-- > 1;) {
        below += table.sigma2[l];
        table.phi[l] = table.sigma2[l] / below;
    }
    table.phi[depth] = (total - table.sigma2[depth]) / total;
    return table;
}

}  // namespace kelvane
