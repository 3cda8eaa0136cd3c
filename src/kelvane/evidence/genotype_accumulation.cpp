// The accumulation curve: subsets of loci listed or drawn one k after another, counted in
// parallel.
#include "kelvane/evidence/genotype_accumulation.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <numeric>
#include <span>
#include <unordered_map>

#include "common/core/worker_pool.hpp"
#include "kelvane/evidence/random_streams.hpp"

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

// The counts of one random order of the loci: the classes after its first k loci for every k up
// to the order's length, found by refining the classes one locus at a time. Once the classes are
// the multilocus genotypes of all loci, further loci change nothing.
class Refinement {
  public:
    explicit Refinement(const GenotypeIdentity& identity)
        : identity_(identity), class_of_(static_cast<std::size_t>(identity.individuals())) {}

    void counts(std::span<const int32_t> order, int32_t all_loci_count, std::vector<int32_t>& out) {
        std::fill(class_of_.begin(), class_of_.end(), 0);
        int32_t count = 1;
        out.clear();
        for (const int32_t locus : order) {
            if (count < all_loci_count) {
                number_of_.clear();
                for (std::size_t i = 0; i < class_of_.size(); ++i) {
                    const uint64_t key =
                        (static_cast<uint64_t>(class_of_[i]) << 32) |
                        static_cast<uint32_t>(identity_.locus_genotype(static_cast<int>(i), locus));
                    class_of_[i] =
                        number_of_.try_emplace(key, static_cast<int32_t>(number_of_.size()))
                            .first->second;
                }
                count = static_cast<int32_t>(number_of_.size());
            }
            out.push_back(count);
        }
    }

  private:
    const GenotypeIdentity& identity_;
    std::vector<int32_t> class_of_;
    std::unordered_map<uint64_t, int32_t> number_of_;
};

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
    // The numbers of loci with more subsets than draws take the first k loci of draws random
    // orders of the loci: one order serves every such k, counted one locus at a time.
    int most_drawn = 0;
    for (int k = 1; k <= n_loci; ++k) {
        most_drawn = subsets_up_to(n_loci, k, draws) > draws ? k : most_drawn;
    }
    std::vector<std::vector<int32_t>> drawn_counts;  // per draw, per k from 1 to most_drawn
    if (most_drawn > 0) {
        std::vector<clonal::Random> streams = random_streams(random, draws);
        drawn_counts.resize(static_cast<std::size_t>(draws));
        const int32_t all_loci_count = identity.multilocus_genotypes().count;
        std::atomic<int64_t> next{0};
        clonal::run_workers(workers, [&](int) {
            Refinement refinement(identity);
            std::vector<int32_t> order(static_cast<std::size_t>(n_loci));
            for (int64_t d = next++; d < draws; d = next++) {
                std::iota(order.begin(), order.end(), 0);
                clonal::partial_shuffle(streams[static_cast<std::size_t>(d)], order, most_drawn);
                refinement.counts(
                    std::span<const int32_t>(order).first(static_cast<std::size_t>(most_drawn)),
                    all_loci_count, drawn_counts[static_cast<std::size_t>(d)]);
            }
        });
    }
    for (int k = 1; k <= n_loci; ++k) {
        const bool exact = subsets_up_to(n_loci, k, draws) <= draws;
        if (!exact) {
            std::vector<int32_t> counts;
            counts.reserve(static_cast<std::size_t>(draws));
            for (const std::vector<int32_t>& per_k : drawn_counts) {
                counts.push_back(per_k[static_cast<std::size_t>(k - 1)]);
            }
            curve.push_back(summary(k, exact, counts));
            if (progress) {
                progress(static_cast<uint64_t>(k), static_cast<uint64_t>(n_loci));
            }
            continue;
        }
        const std::vector<int> subsets = all_subsets(n_loci, k);
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
