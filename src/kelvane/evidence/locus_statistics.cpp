// Per-locus statistics from the typed copies of all individuals.
#include "kelvane/evidence/locus_statistics.hpp"

#include <cmath>
#include <limits>
#include <numeric>
#include <set>

#include "kelvane/distance/locus_genotypes.hpp"
#include "kelvane/evidence/pascal_triangle.hpp"
#include "kelvane/evidence/psex/allele_frequencies.hpp"

namespace kelvane {
namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// The sum over every genotype of m copies of its squared multinomial probability: alleles taken
// one after another, the sum for t copies extended by c copies with the factor (C(t+c, c) p^c)^2.
double identity_probability(const std::vector<double>& frequencies, int m,
                            const PascalTriangle& binomials) {
    std::vector<double> sums(static_cast<std::size_t>(m) + 1, 0.0);
    std::vector<double> next(sums.size());
    sums[0] = 1.0;
    for (const double p : frequencies) {
        std::fill(next.begin(), next.end(), 0.0);
        for (int t = 0; t <= m; ++t) {
            double power = 1.0;
            for (int c = 0; t + c <= m; ++c) {
                const double term = binomials(t + c, c) * power;
                next[static_cast<std::size_t>(t + c)] +=
                    sums[static_cast<std::size_t>(t)] * term * term;
                power *= p;
            }
        }
        std::swap(sums, next);
    }
    return sums[static_cast<std::size_t>(m)];
}

// The probability that two full sibs share a diploid genotype (Waits et al. 2001).
double sib_identity_probability(const std::vector<double>& frequencies) {
    double squares = 0.0;
    double fourths = 0.0;
    for (const double p : frequencies) {
        squares += p * p;
        fourths += (p * p) * (p * p);
    }
    return 0.25 + 0.5 * squares + 0.5 * squares * squares - 0.25 * fourths;
}

// The product so far times value, where a value that is not a number changes nothing and the
// first number starts the product.
double running_product(double so_far, double value) {
    if (std::isnan(value)) {
        return so_far;
    }
    return std::isnan(so_far) ? value : so_far * value;
}

}  // namespace

std::vector<LocusStatistics> locus_statistics(const MarkerData& data) {
    std::vector<int> everyone(static_cast<std::size_t>(data.n_individuals));
    std::iota(everyone.begin(), everyone.end(), 0);
    const PascalTriangle binomials(data.max_ploidy);
    const DescendingCopies sorted(data);
    std::vector<LocusStatistics> result;
    double pi_cumulative = kNotANumber;
    double sibs_cumulative = kNotANumber;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const LocusFrequencies frequencies =
            typed_copy_frequencies(data, locus, everyone, everyone);
        int64_t typed = 0;
        std::set<std::vector<int32_t>> genotypes;
        for (const int i : everyone) {
            const auto copies = sorted.locus_genotype(i, locus);
            const int32_t present = present_copies(copies);
            if (present > 0) {
                typed += present;
                genotypes.emplace(copies.begin(), copies.end());
            }
        }
        LocusStatistics statistics;
        statistics.alleles = static_cast<int32_t>(frequencies.alleles.size());
        statistics.genotypes = static_cast<int32_t>(genotypes.size());
        double squares = 0.0;
        for (const double p : frequencies.frequencies) {
            squares += p * p;
        }
        const auto m = static_cast<double>(typed);
        statistics.he = typed > 1 ? (m / (m - 1.0)) * (1.0 - squares) : kNotANumber;
        if (typed > 0) {
            statistics.pi =
                identity_probability(frequencies.frequencies, data.max_ploidy, binomials);
            statistics.pi_sibs = data.max_ploidy == 2
                                     ? sib_identity_probability(frequencies.frequencies)
                                     : kNotANumber;
        } else {
            statistics.pi = kNotANumber;
            statistics.pi_sibs = kNotANumber;
        }
        pi_cumulative = running_product(pi_cumulative, statistics.pi);
        sibs_cumulative = running_product(sibs_cumulative, statistics.pi_sibs);
        statistics.pi_cumulative = pi_cumulative;
        statistics.pi_sibs_cumulative = sibs_cumulative;
        result.push_back(statistics);
    }
    return result;
}

}  // namespace kelvane
