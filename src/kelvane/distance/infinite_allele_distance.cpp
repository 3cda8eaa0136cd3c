// The infinite allele distances: per locus, the allele copies of one individual that find no
// identical copy in the other, with missing copies counting one mutation or a given number.
#include "kelvane/distance/infinite_allele_distance.hpp"

#include <algorithm>
#include <cstdint>
#include <span>

#include "common/core/allocation.hpp"
#include "common/core/bug_check.hpp"
#include "kelvane/distance/biallelic/biallelic_sums.hpp"
#include "kelvane/distance/capped_steps.hpp"
#include "kelvane/distance/locus_genotypes.hpp"
#include "kelvane/distance/locus_sum_distance.hpp"

namespace kelvane {
namespace {

// Matching every copy of one individual with an identical unused copy of the other gives as many
// matches as the two multisets of copies have in common, whatever the slot order; on copies in
// descending order that is one merge. Missing slots (0) match each other when counted.
int32_t common_copies(std::span<const int32_t> first, std::span<const int32_t> second,
                      bool count_missing) {
    int32_t common = 0;
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < first.size() && b < second.size()) {
        if (first[a] > second[b]) {
            ++a;
        } else if (first[a] < second[b]) {
            ++b;
        } else {
            if (first[a] != 0 || count_missing) {
                ++common;
            }
            ++a;
            ++b;
        }
    }
    return common;
}

struct InfiniteAlleleModel {
    using Value = int64_t;
    struct Workspace {};

    const DescendingCopies& copies;
    int32_t ploidy;

    Workspace workspace() const { return {}; }
};

// Every slot takes part, missing ones included: the slots of one individual without an identical
// slot in the other.
struct OneMutationModel : InfiniteAlleleModel {
    // Copies in common: whole counts, the same in either order.
    bool symmetric_at(int32_t) const { return true; }

    Value locus_value(Workspace&, int locus, int i, int j, int32_t) const {
        return ploidy - common_copies(copies.locus_genotype(i, locus),
                                      copies.locus_genotype(j, locus), true);
    }
};

// The copies missing in the individual with fewer present copies count the given number of
// mutations each (up to the copy count of the pair); its present copies without an identical
// partner count one.
struct MutationsModel : InfiniteAlleleModel {
    int64_t missing_mutations;

    Value locus_value(Workspace&, int locus, int i, int j, int32_t copy_count) const {
        const auto first = copies.locus_genotype(i, locus);
        const auto second = copies.locus_genotype(j, locus);
        const int64_t fewer = std::min(present_copies(first), present_copies(second));
        const int64_t missing = capped_multiply(copy_count - fewer, missing_mutations);
        return capped_add(missing, fewer - common_copies(first, second, false));
    }
};

}  // namespace

DistanceResult infinite_allele_one(const MarkerData& data, DistanceMatrix& matrix,
                                   const DistanceOptions& options) {
    return clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        // Every slot not shared, missing ones included: P - common - min(m).
        const BiallelicForm form{.slot_cost = 1};
        return fill_with_biallelic_loci(
            data, matrix, form, {}, options,
            [&](const MarkerData& part, const DistanceOptions& part_options, SumStart start) {
                const DescendingCopies copies(part);
                const OneMutationModel model{{copies, part.slots()}};
                return fill_locus_sums(part, matrix, model, {}, part_options, start);
            });
    });
}

DistanceResult infinite_allele_steps(const MarkerData& data, DistanceMatrix& matrix,
                                     int32_t missing_mutations, const DistanceOptions& options) {
    CLONAL_BUG_CHECK(missing_mutations >= 0);
    return clonal::with_memory_message(kDistanceMemoryMessage, [&] {
        const std::vector<int32_t> counts = most_present_copies(data);
        const BiallelicForm form{.missing_cost = missing_mutations, .mismatch_cost = 1};
        return fill_with_biallelic_loci(
            data, matrix, form, counts, options,
            [&](const MarkerData& part, const DistanceOptions& part_options, SumStart start) {
                const DescendingCopies copies(part);
                const MutationsModel model{{copies, part.slots()}, missing_mutations};
                // Without a cost for missing copies the pair's copy count changes nothing.
                return fill_locus_sums(part, matrix, model,
                                       missing_mutations == 0 ? std::vector<int32_t>{} : counts,
                                       part_options, start);
            });
    });
}

}  // namespace kelvane
