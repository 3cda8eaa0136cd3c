// Rarefied genotype counts. With q(m) = C(N - m, n') / C(N, n'), the probability that a sample
// of n' misses m given individuals, a clone of size s is missing with probability q(s) and two
// clones of sizes s and t both with q(s + t), so that
//   E = sum_i (1 - q(n_i)),
//   Var = sum_i q(n_i)(1 - q(n_i)) + 2 sum_{i<j} (q(n_i + n_j) - q(n_i) q(n_j)).
// Clones of equal size contribute equal terms, so the sums run over the distinct sizes and their
// pairs: a few hundred sizes where there may be tens of thousands of clones.
//
// Accuracy: for a sample small against N every q is close to 1, and the differences 1 - q and
// q(s + t) - q(s) q(t) computed from the q themselves lose most of their digits (for n' = 10 of
// 10^6, the standard error kept only 7). So q is kept as its logarithm, a sum of log1p terms,
// and the pair difference as q(s) q(t) (rho - 1) with
//   rho = q(s + t) / (q(s) q(t)) = prod_{j<t} (1 - s n' / ((N - s - j)(N - j - n'))),
// a product whose factors are each known to full precision; expm1 of the sum of their log1p
// gives rho - 1 without cancellation. The products for all smaller sizes t of one size s are
// the prefixes of one product, so the work is the sum of the distinct sizes, at most N.
#include "marsyl/core/extended/rarefaction.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "common/core/bug_check.hpp"

namespace marsyl {

int64_t default_rarefaction_size(std::span<const SizeSpectrum> populations) {
    int64_t smallest = std::numeric_limits<int64_t>::max();
    for (const SizeSpectrum& spectrum : populations) {
        if (spectrum.individuals > 0) {
            smallest = std::min(smallest, spectrum.individuals);
        }
    }
    return smallest == std::numeric_limits<int64_t>::max()
               ? kSmallestDefaultRarefaction
               : std::max(smallest, kSmallestDefaultRarefaction);
}

namespace {

double real(int64_t value) {
    return static_cast<double>(value);
}

// ln q(m) for m = 0 to largest: ln q(m + 1) = ln q(m) + log1p(-n' / (N - m)), which is -Inf from
// m = N - n' + 1 on, where every sample of n' must hold one of the m individuals.
std::vector<double> log_missing(int64_t individuals, int64_t sample, int64_t largest) {
    std::vector<double> log_q(static_cast<std::size_t>(largest) + 1,
                              -std::numeric_limits<double>::infinity());
    log_q[0] = 0.0;
    const int64_t last = std::min(largest, individuals - sample);
    for (int64_t m = 0; m < last; ++m) {
        const auto at = static_cast<std::size_t>(m);
        log_q[at + 1] = log_q[at] + std::log1p(-real(sample) / real(individuals - m));
    }
    return log_q;
}

}  // namespace

Rarefaction rarefy(const SizeSpectrum& spectrum, int64_t sample) {
    CLONAL_BUG_CHECK(sample >= 1);
    const int64_t n = spectrum.individuals;
    const int64_t g = spectrum.genotypes;
    if (n < sample) {
        const double undefined = std::numeric_limits<double>::quiet_NaN();
        return {undefined, undefined};
    }
    // Samples whose number of genotypes cannot vary: the whole population, one individual, a
    // population of one clone or without clone mates. The sums below would leave rounding noise
    // in a variance that is exactly 0.
    if (sample == n) {
        return {real(g), 0.0};
    }
    if (sample == 1 || g == 1) {
        return {1.0, 0.0};
    }
    if (g == n) {
        return {real(sample), 0.0};
    }

    const std::vector<SizeClass>& classes = spectrum.classes;
    const std::vector<double> log_q = log_missing(n, sample, classes.back().size);
    // Sizes s + t above this leave fewer than n' individuals: q(s + t) = 0.
    const int64_t most_missed = n - sample;
    double expected = 0.0;
    double variance = 0.0;
    for (std::size_t a = 0; a < classes.size(); ++a) {
        const auto [s, c] = classes[a];
        const double log_qs = log_q[static_cast<std::size_t>(s)];
        const double qs = std::exp(log_qs);
        const double present = -std::expm1(log_qs);  // 1 - q(s)
        expected += real(c) * present;
        variance += real(c) * (qs * present);
        // Pairs of a clone of size s with one of size t <= s, in increasing t, the terms of
        // ln rho accumulated over j as far as the next t.
        double log_rho = 0.0;
        int64_t j = 0;
        for (std::size_t b = 0; b <= a; ++b) {
            const auto [t, d] = classes[b];
            const double qt = std::exp(log_q[static_cast<std::size_t>(t)]);
            double both_missing = -qs * qt;  // q(s + t) - q(s) q(t)
            if (s + t <= most_missed) {
                for (; j < t; ++j) {
                    log_rho += std::log1p(-real(s) * real(sample) /
                                          (real(n - s - j) * real(n - j - sample)));
                }
                both_missing = qs * qt * std::expm1(log_rho);
            }
            // Ordered pairs of distinct clones: c (c - 1) within the class, 2 c d across.
            variance += (b == a ? real(c) * real(c - 1) : 2.0 * real(c) * real(d)) * both_missing;
        }
    }
    return {expected, variance > 0.0 ? std::sqrt(variance) : 0.0};
}

}  // namespace marsyl
