// Sums over biallelic loci from bit planes, chunk by chunk, added into the lower triangle of the
// matrix; the other loci locus by locus on top.
#include "kelvane/distance/biallelic/biallelic_sums.hpp"

#include <algorithm>
#include <array>
#include <atomic>

#include "common/core/worker_pool.hpp"
#include "kelvane/distance/biallelic/and_popcount.hpp"
#include "kelvane/distance/biallelic/biallelic_loci.hpp"
#include "kelvane/distance/biallelic/copy_count_planes.hpp"
#include "kelvane/distance/pair_loop.hpp"

namespace kelvane {
namespace {

// Rows a worker takes at a time: the planes of one individual are read once for all of them.
constexpr int kRowBlock = 16;

// The terms of the form summed over the loci of one chunk, for a pair with missing slots ma and
// mb, X = sum of min(m) and Y = sum of min(h) + min(l) over the chunk (see biallelic_form.hpp):
//   A * K * cc + (B - A) * (K * P - ma - mb) + C * K * P + (B - A - C) * X - (B + C) * Y
// with A, B, C the missing, step and slot costs and K the loci of the chunk. Every term stays far
// inside 64 bits: K <= 1024, P <= 64, A <= 2^31 and B < 9999^2.
struct ChunkSum {
    int64_t missing_cost;  // A
    int64_t step_cost;     // B
    int64_t slot_cost;     // C
    int64_t loci;          // K
    int64_t slots;         // P

    bool needs_missing_planes() const { return step_cost - missing_cost - slot_cost != 0; }

    int64_t operator()(int64_t copy_count, int64_t ma, int64_t mb, int64_t x, int64_t y) const {
        return missing_cost * loci * copy_count +
               (step_cost - missing_cost) * (loci * slots - ma - mb) + slot_cost * loci * slots +
               (step_cost - missing_cost - slot_cost) * x - (step_cost + slot_cost) * y;
    }
};

void zero_lower_triangle(DistanceMatrix& matrix) {
    for (int i = matrix.first_row(); i < matrix.end_row(); ++i) {
        for (int j = 0; j < i; ++j) {
            matrix.at(i, j) = 0;
        }
    }
}

// Adds the chunk's sums to the lower triangle; false when a distance exceeds 32 bits.
bool add_chunk(const MarkerData& data, DistanceMatrix& matrix, const BiallelicForm& form,
               const BiallelicChunk& chunk, const std::vector<int32_t>& copy_counts,
               const DistanceOptions& options, const std::function<void(uint64_t)>& report) {
    const ChunkSum sum{form.missing_cost, chunk.step_cost, form.slot_cost,
                       static_cast<int64_t>(chunk.loci.size()), data.slots()};
    const CopyCountPlanes planes(data, chunk, sum.needs_missing_planes(), options.threads);
    const int first_row = matrix.first_row();
    const int end_row = matrix.end_row();
    const int blocks = (end_row - first_row + kRowBlock - 1) / kRowBlock;
    std::atomic<int> blocks_taken{0};
    std::atomic<uint64_t> pairs_done{0};
    std::atomic<bool> too_large{false};
    clonal::run_workers(clonal::worker_count(options.threads), [&](int worker) {
        // The bits each row of the block shares with individual j, of the alleles and of the
        // missing slots.
        std::array<uint64_t, kRowBlock> shared_copies{};
        std::array<uint64_t, kRowBlock> shared_missing{};
        while (!too_large.load(std::memory_order_relaxed)) {
            // The blocks of the longest rows go first, so the workers finish close together.
            const int block = blocks - 1 - blocks_taken.fetch_add(1, std::memory_order_relaxed);
            if (block < 0) {
                return;
            }
            const int from = first_row + block * kRowBlock;
            const int to = std::min(end_row, from + kRowBlock);
            for (int j = 0; j + 1 < to; ++j) {
                const int first = std::max(from, j + 1);
                const auto rows = static_cast<std::size_t>(to - first);
                const auto alleles_j = planes.allele_planes(j);
                and_popcounts(alleles_j.data(), planes.allele_planes(first).data(), planes.stride(),
                              alleles_j.size(), rows, shared_copies.data());
                const auto missing_j = planes.missing_planes(j);
                if (!missing_j.empty()) {
                    and_popcounts(missing_j.data(), planes.missing_planes(first).data(),
                                  planes.stride(), missing_j.size(), rows, shared_missing.data());
                }
                const int32_t count_j =
                    copy_counts.empty() ? 0 : copy_counts[static_cast<std::size_t>(j)];
                for (int i = first; i < to; ++i) {
                    const auto r = static_cast<std::size_t>(i - first);
                    const int32_t count_i =
                        copy_counts.empty() ? 0 : copy_counts[static_cast<std::size_t>(i)];
                    const int64_t total =
                        matrix.at(i, j) +
                        sum(std::max(count_i, count_j), planes.missing_slots(i),
                            planes.missing_slots(j),
                            missing_j.empty() ? 0 : static_cast<int64_t>(shared_missing[r]),
                            static_cast<int64_t>(shared_copies[r]));
                    if (total > INT32_MAX) {
                        too_large.store(true, std::memory_order_relaxed);
                        return;
                    }
                    matrix.at(i, j) = static_cast<int32_t>(total);
                }
            }
            const auto block_rows = static_cast<uint64_t>(to - from);
            const uint64_t done = pairs_done +=
                block_rows * static_cast<uint64_t>(from + to - 1) / 2;
            if (worker == 0) {
                report(done);
            }
        }
    });
    return !too_large.load();
}

MarkerData loci_of(const MarkerData& data, const std::vector<int>& loci) {
    MarkerData part;
    part.n_individuals = data.n_individuals;
    part.n_populations = data.n_populations;
    part.n_loci = static_cast<int32_t>(loci.size());
    part.max_ploidy = data.max_ploidy;
    part.digits = data.digits;
    part.slot_limit = data.slot_limit;
    part.pop_vector = data.pop_vector;
    part.copies.assign(part.copy_count(), 0);
    for (std::size_t k = 0; k < loci.size(); ++k) {
        for (int i = 0; i < data.n_individuals; ++i) {
            const auto from = data.locus_genotype(i, loci[k]);
            const auto to = part.locus_genotype(i, static_cast<int>(k));
            for (std::size_t slot = 0; slot < from.size(); ++slot) {
                to[slot] = from[slot];
            }
        }
    }
    return part;
}

}  // namespace

DistanceResult fill_with_biallelic_loci(const MarkerData& data, DistanceMatrix& matrix,
                                        const BiallelicForm& form,
                                        const std::vector<int32_t>& copy_counts,
                                        const DistanceOptions& options,
                                        const LocusByLocus& locus_by_locus) {
    if (!options.biallelic_fast_path || data.n_loci == 0) {
        return locus_by_locus(data, options, SumStart::kZero);
    }
    const LociSplit split = split_biallelic_loci(data, form, options.threads);
    if (split.chunks.empty()) {
        return locus_by_locus(data, options, SumStart::kZero);
    }
    // Progress counts pairs, the loci of the two parts weighted by their share of all loci.
    const auto n = static_cast<uint64_t>(data.n_individuals);
    const uint64_t all_pairs = n * (n > 0 ? n - 1 : 0) / 2;
    const double biallelic_share =
        1.0 - static_cast<double>(split.other_loci.size()) / static_cast<double>(data.n_loci);
    const auto scaled = [](uint64_t pairs, double share) {
        return static_cast<uint64_t>(static_cast<double>(pairs) * share);
    };
    zero_lower_triangle(matrix);
    for (std::size_t c = 0; c < split.chunks.size(); ++c) {
        const auto report = [&](uint64_t done) {
            if (options.progress) {
                const double chunk_share =
                    biallelic_share / static_cast<double>(split.chunks.size());
                options.progress(scaled(all_pairs, chunk_share * static_cast<double>(c)) +
                                     scaled(done, chunk_share),
                                 all_pairs);
            }
        };
        if (!add_chunk(data, matrix, form, split.chunks[c], copy_counts, options, report)) {
            return DistanceResult::kTooLarge;
        }
    }
    if (split.other_loci.empty()) {
        if (matrix.whole()) {
            mirror_lower_triangle(matrix);
        }
        return DistanceResult::kDone;
    }
    DistanceOptions rest = options;
    if (options.progress) {
        rest.progress = [&](uint64_t done, uint64_t total) {
            options.progress(
                scaled(all_pairs, biallelic_share) + scaled(done, 1.0 - biallelic_share), total);
        };
    }
    return locus_by_locus(loci_of(data, split.other_loci), rest, SumStart::kMatrix);
}

}  // namespace kelvane
