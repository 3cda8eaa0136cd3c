// Finding the biallelic loci and grouping them by step cost.
#include "kelvane/distance/biallelic/biallelic_loci.hpp"

#include <algorithm>
#include <atomic>
#include <map>
#include <optional>

#include "common/core/worker_pool.hpp"

namespace kelvane {
namespace {

// The locus when at most two distinct values are present, with the most copies of each.
template <class CopyAt>
std::optional<BiallelicLocus> biallelic_locus(const MarkerData& data, int locus, CopyAt copy_at) {
    const auto slots = static_cast<std::size_t>(data.slots());
    BiallelicLocus found;
    found.locus = locus;
    int32_t first = 0;  // the values in the order met
    int32_t second = 0;
    int32_t most_first = 0;
    int32_t most_second = 0;
    for (int i = 0; i < data.n_individuals; ++i) {
        int32_t of_first = 0;
        int32_t of_second = 0;
        int32_t missing = 0;
        const std::size_t first_copy = data.locus_genotype_offset(i, locus);
        for (std::size_t slot = 0; slot < slots; ++slot) {
            const int32_t copy = copy_at(first_copy + slot);
            if (copy == 0) {
                ++missing;
            } else if (copy == first || first == 0) {
                first = copy;
                ++of_first;
            } else if (copy == second || second == 0) {
                second = copy;
                ++of_second;
            } else {
                return std::nullopt;
            }
        }
        most_first = std::max(most_first, of_first);
        most_second = std::max(most_second, of_second);
        found.most_missing = std::max(found.most_missing, missing);
    }
    const bool first_larger = first > second;
    found.larger = first_larger ? first : second;
    found.smaller = first_larger ? second : first;
    found.most_larger = first_larger ? most_first : most_second;
    found.most_smaller = first_larger ? most_second : most_first;
    return found;
}

// The cost of a copy without an identical partner at the locus, or nothing when the form does
// not hold there.
std::optional<int64_t> step_cost(const BiallelicForm& form, const BiallelicLocus& locus) {
    if (form.scale == StepScale::kNone) {
        return form.mismatch_cost;
    }
    // With a single allele every present copy of the pair finds an identical partner.
    if (locus.smaller == 0) {
        return 0;
    }
    const int64_t steps = int64_t{locus.larger} - int64_t{locus.smaller};
    if (steps >= kUnmatchedSteps) {
        return std::nullopt;
    }
    return form.mismatch_cost * (form.scale == StepScale::kSteps ? steps : steps * steps);
}

}  // namespace

LociSplit split_biallelic_loci(const MarkerData& data, const BiallelicForm& form, int threads) {
    LociSplit split;
    if (data.slots() > kMostBiallelicSlots) {
        for (int locus = 0; locus < data.n_loci; ++locus) {
            split.other_loci.push_back(locus);
        }
        return split;
    }
    std::vector<std::optional<BiallelicLocus>> found(static_cast<std::size_t>(data.n_loci));
    std::atomic<int> next{0};
    clonal::run_workers(clonal::worker_count(threads), [&](int) {
        data.copies.with_reader([&](auto copy_at) {
            for (int locus = next++; locus < data.n_loci; locus = next++) {
                found[static_cast<std::size_t>(locus)] = biallelic_locus(data, locus, copy_at);
            }
        });
    });
    std::map<int64_t, std::vector<BiallelicLocus>> by_cost;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const auto& biallelic = found[static_cast<std::size_t>(locus)];
        const std::optional<int64_t> cost =
            biallelic ? step_cost(form, *biallelic) : std::optional<int64_t>{};
        if (cost) {
            by_cost[*cost].push_back(*biallelic);
        } else {
            split.other_loci.push_back(locus);
        }
    }
    for (auto& [cost, loci] : by_cost) {
        for (std::size_t start = 0; start < loci.size(); start += kChunkLoci) {
            const std::size_t end = std::min(loci.size(), start + kChunkLoci);
            BiallelicChunk chunk;
            chunk.step_cost = cost;
            chunk.loci.assign(loci.begin() + static_cast<std::ptrdiff_t>(start),
                              loci.begin() + static_cast<std::ptrdiff_t>(end));
            split.chunks.push_back(std::move(chunk));
        }
    }
    return split;
}

}  // namespace kelvane
