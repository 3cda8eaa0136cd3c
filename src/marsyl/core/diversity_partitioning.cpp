// The indices of all populations and the partitioning of diversity among them.
#include "marsyl/core/diversity_partitioning.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <utility>

namespace marsyl {
namespace {

struct PooledSums {
    double sum_squares = 0.0;  // of the pooled frequencies
    double shannon = 0.0;
    double corrected = 0.0;
};

// Pooled frequency of one genotype: the unweighted mean over the populations of its frequency
// in each, summed population by population.
double pooled_frequency(std::span<const int32_t> counts, std::span<const double> sizes) {
    double frequency = 0.0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        frequency += static_cast<double>(counts[i]) / sizes[i];
    }
    return frequency / static_cast<double>(sizes.size());
}

// The sums over all genotype numbers 0 to L of the pooled frequencies. Genotypes absent from
// every population have the frequency pooled from zero counts: exactly 0, which adds nothing,
// unless a population is empty and turns it into a value that is not a number.
PooledSums pooled_sums(const clonal::ClonalData& data, std::span<const int32_t> included,
                       int32_t largest_genotype) {
    const std::size_t populations = included.size();
    std::vector<double> sizes(populations);
    std::vector<std::pair<int32_t, std::size_t>> entries;  // genotype number, population
    double total_size = 0.0;
    for (std::size_t i = 0; i < populations; ++i) {
        const auto& genotypes = data.genotypes[static_cast<std::size_t>(included[i])];
        sizes[i] = static_cast<double>(genotypes.size());
        total_size += sizes[i];
        for (const int32_t g : genotypes) {
            entries.emplace_back(g, i);
        }
    }
    std::sort(entries.begin(), entries.end());

    std::vector<int32_t> counts(populations);
    std::vector<double> frequencies;
    int32_t seen_once = 0;
    for (std::size_t first = 0; first < entries.size();) {
        std::fill(counts.begin(), counts.end(), 0);
        std::size_t last = first;
        while (last < entries.size() && entries[last].first == entries[first].first) {
            ++counts[entries[last].second];
            ++last;
        }
        seen_once += last - first == 1 ? 1 : 0;
        frequencies.push_back(pooled_frequency(counts, sizes));
        first = last;
    }

    PooledSums sums;
    const auto all_genotypes = static_cast<std::size_t>(largest_genotype) + 1;
    if (frequencies.size() < all_genotypes) {
        std::fill(counts.begin(), counts.end(), 0);
        const double absent = pooled_frequency(counts, sizes);
        if (absent != 0.0) {
            sums.sum_squares += absent * absent;
        }
    }
    const double coverage = 1.0 - static_cast<double>(seen_once) / total_size;
    for (const double p : frequencies) {
        sums.sum_squares += p * p;
        if (p > 0) {
            sums.shannon += p * std::log10(p);
            const double cp = coverage * p;
            sums.corrected += cp * std::log10(cp) / (1.0 - std::pow(1.0 - cp, total_size));
        }
    }
    return sums;
}

Partitioning partition(const std::array<double, 3>& total, const std::array<double, 3>& within,
                       double populations) {
    Partitioning result{total, within, {}, {}};
    const double k = populations / (populations - 1.0);
    for (std::size_t m = 0; m < 3; ++m) {
        const double t = total[m];
        const double w = within[m];
        result.g_st[m] = (t - w) / t;
        result.g_st_corrected[m] = k * (t - w) / (w + k * (t - w));
    }
    return result;
}

// Every value NaN: a partitioning of fewer than two populations.
Partitioning undefined_partitioning() {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    const std::array<double, 3> none{kNone, kNone, kNone};
    return {none, none, none, none};
}

}  // namespace

DiversityResults diversity_results(const clonal::ClonalData& data, int32_t largest_genotype,
                                   const PartitionRules& rules) {
    DiversityResults results;
    IndexCalculator calculator;
    double lambda = 0.0;
    double sum_shw = 0.0;
    double sum_shc = 0.0;
    double inverse_sizes = 0.0;
    std::vector<int32_t> included;  // the populations the partitioning runs over
    for (int32_t i = 1; i <= data.populations; ++i) {
        const auto& genotypes = data.genotypes[static_cast<std::size_t>(i)];
        const auto n = static_cast<double>(genotypes.size());
        const IndexSet indices = calculator.compute(genotypes);
        const double diu =
            rules.diu_of_one_is_zero && genotypes.size() == 1 ? 0.0 : (n - 1.0) / n * indices[kDiv];
        results.populations.push_back({indices, diu});
        if (rules.leave_out_empty_populations && genotypes.empty()) {
            continue;
        }
        included.push_back(i);
        lambda += 1.0 - diu;
        sum_shw += indices[kShw];
        sum_shc += indices[kShc];
        inverse_sizes += 1.0 / n;
    }
    if (included.size() <= 1) {
        if (rules.leave_out_empty_populations) {
            results.partitioning = undefined_partitioning();
        }
        return results;
    }

    const PooledSums pooled = pooled_sums(data, included, largest_genotype);
    const auto p = static_cast<double>(included.size());
    const double harmonic_size = p / inverse_sizes;
    const double hs = harmonic_size / (harmonic_size - 1.0) * (1.0 - lambda / p);
    const double ht = (1.0 - pooled.sum_squares) + hs / (p * harmonic_size);
    results.partitioning =
        partition({ht, -pooled.shannon, -pooled.corrected}, {hs, sum_shw / p, sum_shc / p}, p);
    return results;
}

}  // namespace marsyl
