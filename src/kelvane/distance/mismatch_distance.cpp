// The mismatch distance on the sorted copies of every locus genotype, held individual by
// individual so that a pair reads two runs of memory.
#include "kelvane/distance/mismatch_distance.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "common/core/allocation.hpp"
#include "common/core/fatal_error.hpp"
#include "kelvane/distance/biallelic/mismatch_planes.hpp"
#include "kelvane/distance/pair_loop.hpp"

namespace kelvane {
namespace {

// The copies present of every locus genotype of some loci, ascending, individual after
// individual.
class SortedCopies {
  public:
    SortedCopies(const MarkerData& data, const std::vector<int>& loci)
        : loci_(static_cast<int>(loci.size())),
          slots_(data.slots()),
          copies_(static_cast<std::size_t>(data.n_individuals) * static_cast<std::size_t>(loci_) *
                  static_cast<std::size_t>(slots_)),
          counts_(static_cast<std::size_t>(data.n_individuals) * static_cast<std::size_t>(loci_)) {
        for (int i = 0; i < data.n_individuals; ++i) {
            for (int locus = 0; locus < loci_; ++locus) {
                int32_t* first = copies_.data() + start(i, locus);
                int32_t count = 0;
                for (const int32_t copy :
                     data.locus_genotype(i, loci[static_cast<std::size_t>(locus)])) {
                    if (copy != 0) {
                        first[count++] = copy;
                    }
                }
                std::sort(first, first + count);
                counts_[static_cast<std::size_t>(i) * static_cast<std::size_t>(loci_) +
                        static_cast<std::size_t>(locus)] = count;
            }
        }
    }

    struct Pair {
        double sum = 0.0;  // of the loci's unmatched shares
        int32_t shared = 0;
    };

    // The sums over the loci held; pointers into the arrays, which are empty when no locus is.
    Pair pair(int i, int j) const {
        Pair result;
        const int32_t* count_i =
            counts_.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(loci_);
        const int32_t* count_j =
            counts_.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(loci_);
        for (int locus = 0; locus < loci_; ++locus) {
            const int32_t a = count_i[locus];
            const int32_t b = count_j[locus];
            if (a == 0 || b == 0) {
                continue;
            }
            ++result.shared;
            const int32_t* x = copies_.data() + start(i, locus);
            const int32_t* y = copies_.data() + start(j, locus);
            int32_t matched = 0;
            for (int32_t p = 0, q = 0; p < a && q < b;) {
                if (x[p] == y[q]) {
                    ++matched;
                    ++p;
                    ++q;
                } else if (x[p] < y[q]) {
                    ++p;
                } else {
                    ++q;
                }
            }
            result.sum += 1.0 - static_cast<double>(matched) / static_cast<double>(std::max(a, b));
        }
        return result;
    }

  private:
    std::size_t start(int i, int locus) const {
        return (static_cast<std::size_t>(i) * static_cast<std::size_t>(loci_) +
                static_cast<std::size_t>(locus)) *
               static_cast<std::size_t>(slots_);
    }

    int loci_;
    int slots_;
    std::vector<int32_t> copies_;
    std::vector<int32_t> counts_;
};

struct NoWorkspace {};

// Every pair's sums: the loci the bit planes hold from their sums, the others from the copies.
class MismatchPairs {
  public:
    MismatchPairs(const MarkerData& data, const DistanceOptions& options)
        : slots_(data.slots()),
          plane_loci_(options.biallelic_fast_path ? kelvane::plane_loci(data, options.threads)
                                                  : std::vector<BiallelicLocus>{}),
          planes_(plane_sums(data, plane_loci_, options)),
          copies_(data, other_loci(data.n_loci, plane_loci_)) {}

    SortedCopies::Pair pair(int i, int j) const {
        SortedCopies::Pair result = copies_.pair(i, j);
        const std::size_t at = static_cast<std::size_t>(i) * static_cast<std::size_t>(i - 1) / 2 +
                               static_cast<std::size_t>(j);
        result.shared += planes_.shared[at];
        result.sum += static_cast<double>(planes_.shared[at]) -
                      static_cast<double>(planes_.matched[at]) / static_cast<double>(slots_);
        return result;
    }

  private:
    static std::vector<int> other_loci(int n_loci, const std::vector<BiallelicLocus>& taken) {
        std::vector<int> others;
        std::size_t next = 0;
        for (int locus = 0; locus < n_loci; ++locus) {
            if (next < taken.size() && taken[next].locus == locus) {
                ++next;
            } else {
                others.push_back(locus);
            }
        }
        return others;
    }

    int32_t slots_;
    std::vector<BiallelicLocus> plane_loci_;
    PlaneSums planes_;
    SortedCopies copies_;
};

double share_of(const SortedCopies::Pair& pair, int32_t least) {
    return pair.shared >= least && pair.shared > 0 ? pair.sum / pair.shared
                                                   : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

int32_t least_shared_loci(const MarkerData& data, const DistanceModel& model) {
    return model.min_shared_loci > 0 ? model.min_shared_loci : std::max(1, (data.n_loci + 1) / 2);
}

std::vector<double> mismatch_shares(const MarkerData& data, const DistanceModel& model,
                                    const DistanceOptions& options) {
    return clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const MismatchPairs copies(data, options);
        const int32_t least = least_shared_loci(data, model);
        return fill_real_distances(
            data.n_individuals, options, [] { return NoWorkspace{}; },
            [&](NoWorkspace&, int i, int j) { return share_of(copies.pair(i, j), least); });
    });
}

std::vector<int32_t> shared_locus_counts(const MarkerData& data, const DistanceOptions& options) {
    return clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const MismatchPairs copies(data, options);
        const auto n = static_cast<std::size_t>(data.n_individuals);
        std::vector<int32_t> lower(n * (n > 0 ? n - 1 : 0) / 2);
        for_each_pair_row(
            0, data.n_individuals, options, [] { return NoWorkspace{}; },
            [&](NoWorkspace&, int i) {
                int32_t* row = lower.data() +
                               static_cast<std::size_t>(i) * static_cast<std::size_t>(i - 1) / 2;
                for (int j = 0; j < i; ++j) {
                    row[j] = copies.pair(i, j).shared;
                }
                return true;
            });
        return lower;
    });
}

DistanceResult mismatch_distance(const MarkerData& data, DistanceMatrix& matrix,
                                 const DistanceModel& model, const DistanceOptions& options) {
    const int32_t least = least_shared_loci(data, model);
    const ScaledFill fill = clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const MismatchPairs copies(data, options);
        return fill_scaled_distances(
            matrix, options, static_cast<double>(model.multiplier), [] { return NoWorkspace{}; },
            [&](NoWorkspace&, int i, int j) { return share_of(copies.pair(i, j), least); });
    });
    if (fill.undefined) {
        const auto& names = data.ind_names;
        throw clonal::FatalError(
            "individuals " + names[static_cast<std::size_t>(fill.undefined->second)] + " and " +
                names[static_cast<std::size_t>(fill.undefined->first)] + " call fewer than " +
                std::to_string(least) +
                " loci in common, so their mismatch distance is undefined and a distance matrix "
                "cannot hold it; lower the least number of shared loci or leave out one of them",
            clonal::ErrorKind::kData)
            .in_file(data.file);
    }
    return fill.result;
}

}  // namespace kelvane
