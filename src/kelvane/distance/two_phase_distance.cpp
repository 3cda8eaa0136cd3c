// The two-phase distance scaled by ploidy: at every locus the copies of two individuals are
// matched one to one so that the sum of copy costs 1 - base^(-steps) is smallest; the sums are
// averaged over loci, divided by the copy count of the pair and multiplied by a factor.
#include "kelvane/distance/two_phase_distance.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/core/allocation.hpp"
#include "common/core/bug_check.hpp"
#include "kelvane/distance/locus_genotypes.hpp"
#include "kelvane/distance/locus_values.hpp"
#include "kelvane/distance/matching/two_phase_costs.hpp"
#include "kelvane/distance/matching/two_phase_matching.hpp"
#include "kelvane/distance/pair_loop.hpp"

namespace kelvane {
namespace {

struct TwoPhaseModel {
    using Value = double;
    using Workspace = TwoPhaseMatching;

    const DescendingCopies& copies;
    const TwoPhaseMatching& matching;
    bool enumerate;

    Workspace workspace() const { return matching; }

    // With two copies or fewer a matching's sum has at most two terms, which add up to the same
    // double in either order: the pair's result does not depend on which genotype comes first.
    bool symmetric_at(int32_t copy_count) const { return copy_count <= 2; }

    // The best matching sum of the first copy_count copies of both (in descending order).
    Value locus_value(Workspace& w, int locus, int i, int j, int32_t copy_count) const {
        const auto first = copies.locus_genotype(i, locus);
        const auto second = copies.locus_genotype(j, locus);
        return enumerate ? w.enumerated_sum(first, second, copy_count)
                         : w.best_sum(first, second, copy_count);
    }

    // sums[j] += locus_value(w, locus, i, j, counts[j]) for every j < end.
    void add_locus_row(Workspace& w, int locus, int i, std::size_t end, const int32_t* counts,
                       Value* sums) const {
        if (enumerate) {
            for (std::size_t j = 0; j < end; ++j) {
                sums[j] += locus_value(w, locus, i, static_cast<int>(j), counts[j]);
            }
            return;
        }
        if (end == 0) {
            return;
        }
        const int32_t* seconds = copies.locus_genotype(0, locus).data();
        const std::size_t stride = copies.stride();
        w.best_sums(
            copies.locus_genotype(i, locus), end,
            [seconds, stride](std::size_t j) { return seconds + j * stride; },
            [counts](std::size_t j) { return counts[j]; },
            [sums](std::size_t j, double sum) { sums[j] += sum; });
    }

    // out[b] = locus_value(w, locus, i, seconds[b], copy_count) for every b < end.
    void locus_values(Workspace& w, int locus, int i, const int32_t* seconds, std::size_t end,
                      int32_t copy_count, Value* out) const {
        if (enumerate) {
            for (std::size_t b = 0; b < end; ++b) {
                out[b] = locus_value(w, locus, i, seconds[b], copy_count);
            }
            return;
        }
        w.best_sums(
            copies.locus_genotype(i, locus), end,
            [&](std::size_t b) { return copies.locus_genotype(seconds[b], locus).data(); },
            [copy_count](std::size_t) { return copy_count; },
            [out](std::size_t b, double sum) { out[b] = sum; });
    }
};

// (S / loci) x multiplier / copy count, left to right in double precision, plus 0.5 and
// truncated; nothing when that leaves the 32-bit range.
std::optional<int32_t> scaled_distance(double sum, int n_loci, double multiplier,
                                       int32_t copy_count) {
    const double rounded = sum / n_loci * multiplier / copy_count + 0.5;
    if (!(rounded > -2147483649.0 && rounded < 2147483648.0)) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

}  // namespace

namespace {

// Every piece the pairs share, built once: the sum over loci of a pair and its copy count.
class TwoPhasePairs {
  public:
    TwoPhasePairs(const MarkerData& data, int32_t missing, float base,
                  const DistanceOptions& options)
        : n_loci_(data.n_loci),
          copies_(data),
          steps_(largest_steps(data)),
          costs_(base, missing, steps_),
          matching_(costs_, data.slots(), steps_),
          model_{copies_, matching_, options.enumerate_matchings},
          values_(data, model_, most_present_copies(data), options) {}

    TwoPhaseModel::Workspace workspace() const { return model_.workspace(); }
    int n_loci() const { return n_loci_; }

    // The sums over loci of the pairs (i, j < i) into sums, the loci in order, their copy counts
    // into counts.
    using RowCounts = LocusValues<TwoPhaseModel>::RowCounts;
    void row_sums(TwoPhaseModel::Workspace& workspace, int i, RowCounts& counts,
                  double* sums) const {
        std::fill(sums, sums + i, 0.0);
        values_.row_copy_counts(i, i, counts);
        values_.add_row(workspace, i, i, &counts, sums);
    }

  private:
    int n_loci_;
    DescendingCopies copies_;
    int64_t steps_;
    TwoPhaseCosts costs_;
    TwoPhaseMatching matching_;
    TwoPhaseModel model_;
    LocusValues<TwoPhaseModel> values_;
};

// The scratch space of one worker: its matching, and the sums and copy counts of a row's pairs.
struct RowWorkspace {
    TwoPhaseModel::Workspace matching;
    std::vector<double> sums;
    TwoPhasePairs::RowCounts counts;
};

}  // namespace

DistanceResult two_phase_distance(const MarkerData& data, DistanceMatrix& matrix, int32_t missing,
                                  float base, float multiplier, const DistanceOptions& options) {
    CLONAL_BUG_CHECK(base >= 1.0f);
    return clonal::with_memory_message("alleleDistances malloc failed, more memory needed", [&] {
        const TwoPhasePairs pairs(data, missing, base, options);
        const auto n = static_cast<std::size_t>(data.n_individuals);
        return fill_distance_rows(
            matrix, options,
            [&] {
                return RowWorkspace{pairs.workspace(), std::vector<double>(n), {}};
            },
            [&](RowWorkspace& w, int i) { pairs.row_sums(w.matching, i, w.counts, w.sums.data()); },
            [&](const RowWorkspace& w, int, int j) -> std::optional<int32_t> {
                const int32_t copy_count = w.counts.counts[static_cast<std::size_t>(j)];
                if (copy_count == 0) {
                    return 0;
                }
                return scaled_distance(w.sums[static_cast<std::size_t>(j)], pairs.n_loci(),
                                       static_cast<double>(multiplier), copy_count);
            });
    });
}

std::vector<double> two_phase_means(const MarkerData& data, int32_t missing, float base,
                                    const DistanceOptions& options) {
    CLONAL_BUG_CHECK(base >= 1.0f);
    return clonal::with_memory_message("alleleDistances malloc failed, more memory needed", [&] {
        const TwoPhasePairs pairs(data, missing, base, options);
        const auto n = static_cast<std::size_t>(data.n_individuals);
        return fill_real_distance_rows(
            data.n_individuals, options,
            [&] {
                return RowWorkspace{pairs.workspace(), std::vector<double>(n), {}};
            },
            [&](RowWorkspace& w, int i) { pairs.row_sums(w.matching, i, w.counts, w.sums.data()); },
            [&](const RowWorkspace& w, int, int j) {
                const int32_t copy_count = w.counts.counts[static_cast<std::size_t>(j)];
                return copy_count == 0
                           ? 0.0
                           : w.sums[static_cast<std::size_t>(j)] / pairs.n_loci() / copy_count;
            });
    });
}

// The largest difference between two present copies of the data set.
int64_t largest_steps(const MarkerData& data) {
    int64_t smallest = 0;
    int64_t largest = 0;
    bool any = false;
    for (const int32_t copy : data.copies) {
        if (copy != 0) {
            smallest = any ? std::min<int64_t>(smallest, copy) : copy;
            largest = any ? std::max<int64_t>(largest, copy) : copy;
            any = true;
        }
    }
    return largest - smallest;
}

}  // namespace kelvane
