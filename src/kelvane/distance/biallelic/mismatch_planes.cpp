// Mismatch sums from the copy count planes of chunks of loci, with a called mask beside them.
#include "kelvane/distance/biallelic/mismatch_planes.hpp"

#include <algorithm>
#include <atomic>
#include <optional>

#include "common/core/worker_pool.hpp"
#include "kelvane/distance/biallelic/and_popcount.hpp"
#include "kelvane/distance/biallelic/biallelic_loci.hpp"
#include "kelvane/distance/biallelic/copy_count_planes.hpp"
#include "kelvane/distance/pair_loop.hpp"

namespace kelvane {
namespace {

// The locus as the planes take it, or nothing when it is not one of theirs; copy_at reads the
// data's copies.
template <class CopyAt>
std::optional<BiallelicLocus> plane_locus(const MarkerData& data, int locus, CopyAt copy_at) {
    BiallelicLocus result;
    result.locus = locus;
    const auto slots = static_cast<std::size_t>(data.slots());
    for (int i = 0; i < data.n_individuals; ++i) {
        const std::size_t first = data.locus_genotype_offset(i, locus);
        int32_t larger = 0;
        int32_t smaller = 0;
        std::size_t present = 0;
        for (std::size_t slot = 0; slot < slots; ++slot) {
            const int32_t copy = copy_at(first + slot);
            if (copy == 0) {
                continue;
            }
            ++present;
            if (result.larger == 0 || copy == result.larger) {
                result.larger = copy;
                ++larger;
            } else if (result.smaller == 0 || copy == result.smaller) {
                result.smaller = copy;
                ++smaller;
            } else {
                return std::nullopt;  // a third allele
            }
        }
        if (present != 0 && present != slots) {
            return std::nullopt;  // a partial call
        }
        result.most_larger = std::max(result.most_larger, larger);
        result.most_smaller = std::max(result.most_smaller, smaller);
    }
    return result;
}

// The called mask of every individual over the chunk: locus q is called when plane 0 of either
// allele has bit q.
std::vector<uint64_t> called_masks(const CopyCountPlanes& planes, const BiallelicChunk& chunk,
                                   int n) {
    int32_t larger_planes = 0;
    for (const BiallelicLocus& locus : chunk.loci) {
        larger_planes = std::max(larger_planes, locus.most_larger);
    }
    const std::size_t per_plane = (chunk.loci.size() + 63) / 64;
    std::vector<uint64_t> masks(static_cast<std::size_t>(n) * per_plane, 0);
    for (int i = 0; i < n; ++i) {
        const auto words = planes.allele_planes(i);
        uint64_t* mask = masks.data() + static_cast<std::size_t>(i) * per_plane;
        for (std::size_t w = 0; w < per_plane; ++w) {
            // The smaller allele's planes follow the larger's.
            const std::size_t smaller = static_cast<std::size_t>(larger_planes) * per_plane + w;
            mask[w] =
                (larger_planes > 0 ? words[w] : 0) | (smaller < words.size() ? words[smaller] : 0);
        }
    }
    return masks;
}

}  // namespace

std::vector<BiallelicLocus> plane_loci(const MarkerData& data, int threads) {
    std::vector<BiallelicLocus> loci;
    if (data.slots() > kMostBiallelicSlots) {
        return loci;
    }
    // Workers take runs of loci; the loci found are kept in locus order.
    constexpr int kRun = 256;
    std::vector<std::optional<BiallelicLocus>> found(static_cast<std::size_t>(data.n_loci));
    std::atomic<int> next_run{0};
    clonal::run_workers(clonal::worker_count(threads), [&](int) {
        data.copies.with_reader([&](auto copy_at) {
            for (int run = next_run++; run * kRun < data.n_loci; run = next_run++) {
                for (int locus = run * kRun; locus < std::min(data.n_loci, (run + 1) * kRun);
                     ++locus) {
                    found[static_cast<std::size_t>(locus)] = plane_locus(data, locus, copy_at);
                }
            }
        });
    });
    for (const std::optional<BiallelicLocus>& locus : found) {
        if (locus) {
            loci.push_back(*locus);
        }
    }
    return loci;
}

PlaneSums plane_sums(const MarkerData& data, const std::vector<BiallelicLocus>& loci,
                     const DistanceOptions& options) {
    const int n = data.n_individuals;
    const std::size_t pairs =
        static_cast<std::size_t>(n) * static_cast<std::size_t>(n > 0 ? n - 1 : 0) / 2;
    PlaneSums sums{std::vector<int32_t>(pairs, 0), std::vector<int64_t>(pairs, 0)};
    for (std::size_t first = 0; first < loci.size(); first += kChunkLoci) {
        BiallelicChunk chunk;
        chunk.loci.assign(
            loci.begin() + static_cast<std::ptrdiff_t>(first),
            loci.begin() + static_cast<std::ptrdiff_t>(std::min(loci.size(), first + kChunkLoci)));
        const CopyCountPlanes planes(data, chunk, false, options.threads);
        const std::vector<uint64_t> called = called_masks(planes, chunk, n);
        const std::size_t per_plane = (chunk.loci.size() + 63) / 64;
        DistanceOptions quiet = options;
        quiet.progress = {};
        for_each_pair_row(
            1, n, quiet,
            [n] {
                return std::pair(std::vector<uint64_t>(static_cast<std::size_t>(n)),
                                 std::vector<uint64_t>(static_cast<std::size_t>(n)));
            },
            [&](auto& workspace, int i) {
                auto& [matched, shared] = workspace;
                const auto row = planes.allele_planes(i);
                and_popcounts(row.data(), planes.allele_planes(0).data(), planes.stride(),
                              row.size(), static_cast<std::size_t>(i), matched.data());
                and_popcounts(called.data() + static_cast<std::size_t>(i) * per_plane,
                              called.data(), per_plane, per_plane, static_cast<std::size_t>(i),
                              shared.data());
                const std::size_t at =
                    static_cast<std::size_t>(i) * static_cast<std::size_t>(i - 1) / 2;
                for (int j = 0; j < i; ++j) {
                    const auto r = static_cast<std::size_t>(j);
                    sums.matched[at + r] += static_cast<int64_t>(matched[r]);
                    sums.shared[at + r] += static_cast<int32_t>(shared[r]);
                }
                return true;
            });
    }
    return sums;
}

}  // namespace kelvane
