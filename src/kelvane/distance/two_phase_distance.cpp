// The two-phase distance scaled by ploidy: at every locus the copies of two individuals are
// matched one to one so that the sum of copy costs 1 - base^(-steps) is smallest; the sums are
// averaged over loci, divided by the copy count of the pair and multiplied by a factor.
#include "kelvane/distance/two_phase_distance.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/core/allocation.hpp"
#include "common/core/bug_check.hpp"
#include "kelvane/distance/locus_genotypes.hpp"
#include "kelvane/distance/locus_values.hpp"
#include "kelvane/distance/matching/best_matching.hpp"
#include "kelvane/distance/pair_loop.hpp"
#include "kelvane/distance/two_phase_costs.hpp"

namespace kelvane {
namespace {

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

struct TwoPhaseModel {
    using Value = double;
    struct Workspace {
        std::vector<double> table;
        BestMatching matching;
    };

    const DescendingCopies& copies;
    const TwoPhaseCosts& costs;
    int ploidy;
    bool enumerate;

    Workspace workspace() const {
        const auto size = static_cast<std::size_t>(ploidy);
        return {std::vector<double>(size * size), BestMatching{}};
    }

    // The best matching sum of the first copy_count copies of both (in descending order).
    Value locus_value(Workspace& w, int locus, int i, int j, int32_t copy_count) const {
        const auto first = copies.locus_genotype(i, locus);
        const auto second = copies.locus_genotype(j, locus);
        const auto size = static_cast<std::size_t>(copy_count);
        for (std::size_t x = 0; x < size; ++x) {
            for (std::size_t y = 0; y < size; ++y) {
                const int64_t a = first[x];
                const int64_t b = second[y];
                w.table[x * size + y] = (a == 0 || b == 0) ? costs.missing_cost()
                                                           : costs.step_cost(a > b ? a - b : b - a);
            }
        }
        const CostTable table{w.table, copy_count};
        return enumerate ? enumerated_matching_sum(table, copy_count)
                         : w.matching.sum(table, copy_count);
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

DistanceResult two_phase_distance(const MarkerData& data, DistanceMatrix& matrix, int32_t missing,
                                  float base, float multiplier, const DistanceOptions& options) {
    CLONAL_BUG_CHECK(base >= 1.0f);
    return clonal::with_memory_message(
        "ERROR: alleleDistances malloc failed, more memory needed", [&] {
            const DescendingCopies copies(data);
            const TwoPhaseCosts costs(base, missing, largest_steps(data));
            const TwoPhaseModel model{copies, costs, data.slots(), options.enumerate_matchings};
            const LocusValues<TwoPhaseModel> values(data, model, most_present_copies(data),
                                                    options);
            return fill_distance_matrix(
                matrix, options, [&model] { return model.workspace(); },
                [&](TwoPhaseModel::Workspace& workspace, int i, int j) -> std::optional<int32_t> {
                    const int32_t copy_count = values.copy_count(i, j);
                    if (copy_count == 0) {
                        return 0;
                    }
                    double sum = 0.0;
                    for (int locus = 0; locus < data.n_loci; ++locus) {
                        sum += values.value(workspace, locus, i, j, copy_count);
                    }
                    return scaled_distance(sum, data.n_loci, static_cast<double>(multiplier),
                                           copy_count);
                });
        });
}

}  // namespace kelvane
