// The accumulation curve: subsets of loci listed or drawn one k after another, counted in
// parallel.
#include "kelvane/evidence/genotype_accumulation.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <numeric>

#include "common/core/worker_pool.hpp"

namespace kelvane {
namespace {

// Every subset of k of n items in lexicographic order, one after another in one array.
std::vector<int> all_subsets(int n, int k) {
    std::vector<int> subsets;
    std::vector<int> current(static_cast<std::size_t>(k));
    std::iota(current.begin(), current.end(), 0);
    for (;;) {
        subsets.insert(subsets.end(), current.begin(), current.end());
        int position = k - 1;
        while (position >= 0 && current[static_cast<std::size_t>(position)] == n - k + position) {
            --position;
        }
        if (position < 0) {
            return subsets;
        }
        ++current[static_cast<std::size_t>(position)];
        for (int next = position + 1; next < k; ++next) {
            current[static_cast<std::size_t>(next)] =
                current[static_cast<std::size_t>(next - 1)] + 1;
        }
    }
}

// draws subsets of k of n items, each the first k of a fresh shuffle of the items, ascending.
std::vector<int> random_subsets(int n, int k, int64_t draws, clonal::Random& random) {
    std::vector<int> subsets;
    subsets.reserve(static_cast<std::size_t>(draws) * static_cast<std::size_t>(k));
    std::vector<int32_t> items(static_cast<std::size_t>(n));
    for (int64_t draw = 0; draw < draws; ++draw) {
        std::iota(items.begin(), items.end(), 0);
        clonal::partial_shuffle(random, items, k);
        std::sort(items.begin(), items.begin() + k);
        subsets.insert(subsets.end(), items.begin(), items.begin() + k);
    }
    return subsets;
}

AccumulationPoint summary(int k, bool exact, const std::vector<int32_t>& counts) {
    AccumulationPoint point;
    point.loci = k;
    point.exact = exact;
    point.subsets = static_cast<int64_t>(counts.size());
    double sum = 0.0;
    for (const int32_t count : counts) {
        sum += count;
    }
    const double n = static_cast<double>(counts.size());
    point.mean = sum / n;
    double squares = 0.0;
    for (const int32_t count : counts) {
        const double deviation = count - point.mean;
        squares += deviation * deviation;
    }
    point.sd = counts.size() > 1 ? std::sqrt(squares / (n - 1.0))
                                 : std::numeric_limits<double>::quiet_NaN();
    const auto [least, most] = std::minmax_element(counts.begin(), counts.end());
    point.min = *least;
    point.max = *most;
    return point;
}

}  // namespace

int64_t subsets_up_to(int n, int k, int64_t limit) {
    k = std::min(k, n - k);
    // C(n, i) grows with i up to n / 2; each step is exact, and past the limit the value is held.
    int64_t value = 1;
    for (int i = 1; i <= k; ++i) {
        value = value * (n - k + i) / i;
        if (value > limit) {
            return limit + 1;
        }
    }
    return value;
}

std::vector<AccumulationPoint> genotype_accumulation(const GenotypeIdentity& identity,
                                                     int64_t draws, clonal::Random& random,
                                                     int threads,
                                                     const clonal::ProgressReport& progress) {
    const int n_loci = identity.loci();
    std::vector<AccumulationPoint> curve;
    const int workers = clonal::worker_count(threads);
    for (int k = 1; k <= n_loci; ++k) {
        const bool exact = subsets_up_to(n_loci, k, draws) <= draws;
        const std::vector<int> subsets =
            exact ? all_subsets(n_loci, k) : random_subsets(n_loci, k, draws, random);
        const std::size_t count = subsets.size() / static_cast<std::size_t>(k);
        std::vector<int32_t> counts(count);
        std::atomic<std::size_t> next{0};
        clonal::run_workers(workers, [&](int) {
            GenotypeIdentity::Workspace workspace;
            for (std::size_t s = next++; s < count; s = next++) {
                const std::span<const int> loci(subsets.data() + s * static_cast<std::size_t>(k),
                                                static_cast<std::size_t>(k));
                counts[s] = identity.count(loci, workspace);
            }
        });
        curve.push_back(summary(k, exact, counts));
        if (progress) {
            progress(static_cast<uint64_t>(k), static_cast<uint64_t>(n_loci));
        }
    }
    return curve;
}

}  // namespace kelvane
