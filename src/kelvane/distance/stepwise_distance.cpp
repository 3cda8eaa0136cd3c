// The stepwise mutation distances: the steps between matched allele copies, summed over loci,
// with missing copies not counted, counted as a given number of steps, or replaced by the
// average allele value of their locus.
#include "kelvane/distance/stepwise_distance.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "common/core/allocation.hpp"
#include "common/core/bug_check.hpp"
#include "kelvane/distance/biallelic/biallelic_sums.hpp"
#include "kelvane/distance/capped_steps.hpp"
#include "kelvane/distance/locus_genotypes.hpp"
#include "kelvane/distance/locus_sum_distance.hpp"
#include "kelvane/distance/matching/closest_allele_matching.hpp"

namespace kelvane {
namespace {

// The copies of the two individuals at the locus being compared.
struct CopyBuffers {
    std::vector<int32_t> first;
    std::vector<int32_t> second;
};

CopyBuffers copy_buffers(const MarkerData& data) {
    const auto ploidy = static_cast<std::size_t>(data.slots());
    return {std::vector<int32_t>(ploidy), std::vector<int32_t>(ploidy)};
}

// The matching reorders the copies it works on, so each pair works on its own copy of them.
void load(std::span<int32_t> target, const DescendingCopies& copies, int i, int locus) {
    const auto genotype = copies.locus_genotype(i, locus);
    std::copy(genotype.begin(), genotype.end(), target.begin());
}

// Copies matched position by position: the sum of |a - b|, or of its squares.
int64_t positionwise_steps(std::span<const int32_t> first, std::span<const int32_t> second,
                           bool squared) {
    int64_t sum = 0;
    for (std::size_t l = 0; l < first.size(); ++l) {
        const int64_t steps = capped_steps(first[l], second[l]);
        sum = capped_add(sum, squared ? capped_square(steps) : steps);
    }
    return sum;
}

struct NotCountedModel {
    using Value = int64_t;
    using Workspace = CopyBuffers;

    const MarkerData& data;
    const DescendingCopies& copies;
    bool squared;

    Workspace workspace() const { return copy_buffers(data); }
    // Steps matched either way: whole counts, the same in either order.
    bool symmetric_at(int32_t) const { return true; }

    Value locus_value(Workspace& w, int locus, int i, int j, int32_t) const {
        load(w.first, copies, i, locus);
        load(w.second, copies, j, locus);
        if (present_copies(w.first) == present_copies(w.second)) {
            return positionwise_steps(w.first, w.second, squared);
        }
        // With unequal counts the squared distance squares the locus sum of plain steps.
        const MatchingSums sums = closest_allele_matching(w.first, w.second, data.slots(), false);
        const int64_t steps = std::min(sums.first_to_second, sums.second_to_first);
        return squared ? capped_square(steps) : steps;
    }
};

struct MissingStepsModel {
    using Value = int64_t;
    using Workspace = CopyBuffers;

    const MarkerData& data;
    const DescendingCopies& copies;
    int64_t missing_steps;
    bool squared;

    Workspace workspace() const { return copy_buffers(data); }
    // Steps matched either way: whole counts, the same in either order.
    bool symmetric_at(int32_t) const { return true; }

    Value locus_value(Workspace& w, int locus, int i, int j, int32_t copy_count) const {
        load(w.first, copies, i, locus);
        load(w.second, copies, j, locus);
        const int32_t first_count = present_copies(w.first);
        const int32_t second_count = present_copies(w.second);
        // Copies without a partner because they are missing, each counting the given steps.
        const int64_t unmatched = copy_count - std::min(first_count, second_count);
        const int64_t per_missing = squared ? capped_square(missing_steps) : missing_steps;
        const int64_t missing = capped_multiply(unmatched, per_missing);
        if (first_count == second_count) {
            return capped_add(missing, positionwise_steps(w.first, w.second, squared));
        }
        const MatchingSums sums = closest_allele_matching(w.first, w.second, copy_count, squared);
        return capped_add(missing, std::min(sums.first_to_second, sums.second_to_first));
    }
};

// Every locus genotype with its missing copies replaced by the average of its locus and sorted
// ascending, individual by individual; the average of 32-bit copies fits 32 bits.
class AverageFilledCopies {
  public:
    AverageFilledCopies(const MarkerData& data, const std::vector<int64_t>& averages)
        : n_loci_(static_cast<std::size_t>(data.n_loci)),
          ploidy_(static_cast<std::size_t>(data.slots())),
          copies_(data.copy_count()) {
        for (int i = 0; i < data.n_individuals; ++i) {
            for (int locus = 0; locus < data.n_loci; ++locus) {
                const int64_t average = averages[static_cast<std::size_t>(locus)];
                const std::span<int32_t> filled = slots(i, locus);
                std::ranges::transform(data.locus_genotype(i, locus), filled.begin(),
                                       [average](int32_t copy) {
                                           return copy == 0 ? static_cast<int32_t>(average) : copy;
                                       });
                std::ranges::sort(filled);
            }
        }
    }

    std::span<const int32_t> locus_genotype(int i, int locus) const {
        return std::span<const int32_t>(copies_).subspan(offset(i, locus), ploidy_);
    }

  private:
    std::size_t offset(int i, int locus) const {
        return (static_cast<std::size_t>(i) * n_loci_ + static_cast<std::size_t>(locus)) * ploidy_;
    }
    std::span<int32_t> slots(int i, int locus) {
        return std::span<int32_t>(copies_).subspan(offset(i, locus), ploidy_);
    }

    std::size_t n_loci_;
    std::size_t ploidy_;
    std::vector<int32_t> copies_;
};

struct AverageFillModel {
    using Value = int64_t;
    struct Workspace {};

    const AverageFilledCopies& copies;

    Workspace workspace() const { return {}; }

    Value locus_value(Workspace&, int locus, int i, int j, int32_t) const {
        const auto first = copies.locus_genotype(i, locus);
        const auto second = copies.locus_genotype(j, locus);
        int64_t sum = 0;
        for (std::size_t l = 0; l < first.size(); ++l) {
            sum = capped_add(sum, capped_steps(first[l], second[l]));
        }
        return sum;
    }
};

}  // namespace

// A locus without any present copy gets 0: every copy there is replaced by the same value, so
// the value does not matter.
std::vector<int64_t> average_allele_values(const MarkerData& data) {
    std::vector<int64_t> averages(static_cast<std::size_t>(data.n_loci), 0);
    for (int locus = 0; locus < data.n_loci; ++locus) {
        int64_t sum = 0;
        int64_t present = 0;
        for (int i = 0; i < data.n_individuals; ++i) {
            for (const int32_t copy : data.locus_genotype(i, locus)) {
                sum += copy;
                present += copy > 0 ? 1 : 0;
            }
        }
        if (present > 0) {
            const double average = static_cast<double>(sum) / static_cast<double>(present);
            averages[static_cast<std::size_t>(locus)] = static_cast<int64_t>(
                average >= 0.0 ? std::trunc(average + 0.5) : std::trunc(average - 0.5));
        }
    }
    return averages;
}

DistanceResult stepwise_not_counted(const MarkerData& data, DistanceMatrix& matrix, bool squared,
                                    const DistanceOptions& options) {
    return clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const auto locus_by_locus = [&](const MarkerData& part, const DistanceOptions& part_options,
                                        SumStart start) {
            const DescendingCopies copies(part);
            const NotCountedModel model{part, copies, squared};
            return fill_locus_sums(part, matrix, model, {}, part_options, start);
        };
        // Squared, a locus whose present copies differ in number squares its sum of steps: the
        // form holds only while that sum counts at most one step scale, at two slots or fewer.
        if (squared && data.slots() > 2) {
            return locus_by_locus(data, options, SumStart::kZero);
        }
        const BiallelicForm form{.mismatch_cost = 1,
                                 .scale = squared ? StepScale::kSquaredSteps : StepScale::kSteps};
        return fill_with_biallelic_loci(data, matrix, form, {}, options, locus_by_locus);
    });
}

DistanceResult stepwise_missing_steps(const MarkerData& data, DistanceMatrix& matrix,
                                      int32_t missing_steps, bool squared,
                                      const DistanceOptions& options) {
    CLONAL_BUG_CHECK(missing_steps >= 0);
    return clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const std::vector<int32_t> counts = most_present_copies(data);
        const int64_t per_missing = squared ? capped_square(missing_steps) : missing_steps;
        const BiallelicForm form{.missing_cost = per_missing,
                                 .mismatch_cost = 1,
                                 .scale = squared ? StepScale::kSquaredSteps : StepScale::kSteps};
        return fill_with_biallelic_loci(
            data, matrix, form, counts, options,
            [&](const MarkerData& part, const DistanceOptions& part_options, SumStart start) {
                const DescendingCopies copies(part);
                const MissingStepsModel model{part, copies, capped(missing_steps), squared};
                return fill_locus_sums(part, matrix, model, counts, part_options, start);
            });
    });
}

DistanceResult stepwise_average_fill(const MarkerData& data, DistanceMatrix& matrix,
                                     const DistanceOptions& options) {
    return clonal::with_memory_message("meanlength malloc failed, more memory needed", [&] {
        const AverageFilledCopies copies(data, average_allele_values(data));
        const AverageFillModel model{copies};
        return fill_locus_sums(data, matrix, model, {}, options);
    });
}

}  // namespace kelvane
