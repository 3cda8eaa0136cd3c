// Two-phase distances between partial polyploid genotypes.
#include "kelvane/distance/partial_two_phase_distance.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "common/core/allocation.hpp"
#include "common/core/fatal_error.hpp"
#include "kelvane/distance/locus_genotypes.hpp"
#include "kelvane/distance/locus_values.hpp"
#include "kelvane/distance/matching/partial_fillings.hpp"
#include "kelvane/distance/matching/two_phase_costs.hpp"
#include "kelvane/distance/matching/two_phase_matching.hpp"
#include "kelvane/distance/pair_loop.hpp"
#include "kelvane/distance/two_phase_distance.hpp"

namespace kelvane {
namespace {

// A missing copy under the infinite treatment costs 1, as more than 9999 steps do.
constexpr int32_t kInfiniteSteps = 10001;

// Per individual and locus, its present copies (at most kTwoPhaseSlotLimit).
std::vector<int16_t> present_counts(const MarkerData& data, const DescendingCopies& copies) {
    std::vector<int16_t> present;
    present.reserve(static_cast<std::size_t>(data.n_individuals) *
                    static_cast<std::size_t>(data.n_loci));
    for (int i = 0; i < data.n_individuals; ++i) {
        for (int locus = 0; locus < data.n_loci; ++locus) {
            present.push_back(
                static_cast<int16_t>(present_copies(copies.locus_genotype(i, locus))));
        }
    }
    return present;
}

struct Workspace {
    TwoPhaseMatching matching;
    PartialFillings fillings;
};

// The locus results of the model, NaN for a locus missing in either individual.
struct PartialModel {
    using Value = double;
    using Workspace = kelvane::Workspace;

    const DescendingCopies& copies;
    const std::vector<int16_t>& present;  // per individual and locus: its present copies
    int n_loci;
    const TwoPhaseCosts& costs;
    const TwoPhaseMatching& matching;
    PartialGenotypes partial;

    Workspace workspace() const { return {matching, PartialFillings(costs)}; }

    Value locus_value(Workspace& w, int locus, int i, int j, int32_t /*copy_count*/) const {
        const auto first = copies.locus_genotype(i, locus);
        const auto second = copies.locus_genotype(j, locus);
        const int32_t a = present[static_cast<std::size_t>(i) * static_cast<std::size_t>(n_loci) +
                                  static_cast<std::size_t>(locus)];
        const int32_t b = present[static_cast<std::size_t>(j) * static_cast<std::size_t>(n_loci) +
                                  static_cast<std::size_t>(locus)];
        if (a == 0 || b == 0) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        const int32_t p = std::max(a, b);
        // Under the infinite treatment, and for genotypes of equal counts, the missing copies of
        // the partial one (0, last in descending order) are matched at cost 1.
        if (a == b || partial == PartialGenotypes::kInfinite) {
            return w.matching.best_sum(first, second, p) / p;
        }
        const auto full = (a > b ? first : second).first(static_cast<std::size_t>(p));
        const auto shorter =
            (a > b ? second : first).first(static_cast<std::size_t>(std::min(a, b)));
        w.fillings.compare(shorter, full);
        switch (partial) {
            case PartialGenotypes::kAddition:
                return w.fillings.mean_over(shorter) / p;
            case PartialGenotypes::kLoss:
                return w.fillings.mean_over(full) / p;
            default:
                return (w.fillings.mean_over(shorter) + w.fillings.mean_over(full)) / (2.0 * p);
        }
    }
};

// Every piece the pairs share, built once.
class PartialPairs {
  public:
    PartialPairs(const MarkerData& data, const DistanceModel& model, const DistanceOptions& options)
        : n_loci_(data.n_loci),
          copies_(data),
          present_(present_counts(data, copies_)),
          steps_(largest_steps(data)),
          costs_(model.base, kInfiniteSteps, steps_),
          matching_(costs_, data.slots(), steps_),
          model_{copies_, present_, data.n_loci, costs_, matching_, model.partial},
          values_(data, model_, {}, options) {}

    Workspace workspace() const { return model_.workspace(); }

    // The mean over the loci typed in both, NaN when there is none.
    double mean(Workspace& workspace, int i, int j) const {
        double sum = 0.0;
        int typed = 0;
        for (int locus = 0; locus < n_loci_; ++locus) {
            const double value = values_.value(workspace, locus, i, j, 0);
            if (!std::isnan(value)) {
                sum += value;
                ++typed;
            }
        }
        return typed > 0 ? sum / typed : std::numeric_limits<double>::quiet_NaN();
    }

  private:
    int n_loci_;
    DescendingCopies copies_;
    std::vector<int16_t> present_;
    int64_t steps_;
    TwoPhaseCosts costs_;
    TwoPhaseMatching matching_;
    PartialModel model_;
    LocusValues<PartialModel> values_;
};

}  // namespace

int32_t most_copies_observed(const MarkerData& data) {
    const std::vector<int32_t> most = most_present_copies(data);
    return most.empty() ? 0 : *std::ranges::max_element(most);
}

DistanceResult partial_two_phase_distance(const MarkerData& data, DistanceMatrix& matrix,
                                          const DistanceModel& model,
                                          const DistanceOptions& options) {
    const ScaledFill fill = clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const PartialPairs pairs(data, model, options);
        return fill_scaled_distances(
            matrix, options, static_cast<double>(model.multiplier),
            [&pairs] { return pairs.workspace(); },
            [&](Workspace& workspace, int i, int j) { return pairs.mean(workspace, i, j); });
    });
    if (fill.undefined) {
        const auto& names = data.ind_names;
        throw clonal::FatalError(
            "individuals " + names[static_cast<std::size_t>(fill.undefined->second)] + " and " +
                names[static_cast<std::size_t>(fill.undefined->first)] +
                " have no locus typed in both, so their two-phase distance between partial "
                "genotypes is undefined; leave out one of them",
            clonal::ErrorKind::kData)
            .in_file(data.file);
    }
    return fill.result;
}

std::vector<double> partial_two_phase_means(const MarkerData& data, const DistanceModel& model,
                                            const DistanceOptions& options) {
    return clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const PartialPairs pairs(data, model, options);
        return fill_real_distances(
            data.n_individuals, options, [&pairs] { return pairs.workspace(); },
            [&](Workspace& workspace, int i, int j) { return pairs.mean(workspace, i, j); });
    });
}

}  // namespace kelvane
