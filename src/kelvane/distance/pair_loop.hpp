// The loop over all pairs of individuals that every distance model shares: it fills the lower
// triangle row by row on every worker, mirrors it into the upper one, and refuses the whole
// matrix as soon as one distance does not fit 32 bits.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "common/core/worker_pool.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// Copies every (i, j) with j < i to (j, i), in blocks that stay in the cache.
void mirror_lower_triangle(DistanceMatrix& matrix);

// Calls distance(workspace, i, j) for every pair j < i of the matrix's rows, each pair on exactly
// one worker, and stores the results at (i, j) and, in a whole matrix, (j, i). make_workspace()
// gives each worker its own scratch space. A distance of std::nullopt (too large) stops the loop:
// the matrix is then incomplete and the result kTooLarge. The pairs done are reported after each
// row of the calling thread.
template <class MakeWorkspace, class PairDistance>
DistanceResult fill_distance_matrix(DistanceMatrix& matrix, const DistanceOptions& options,
                                    MakeWorkspace make_workspace, PairDistance distance) {
    const int first_row = matrix.first_row();
    const int end_row = matrix.end_row();
    const auto pairs_below = [](int rows) {
        return static_cast<uint64_t>(rows) * static_cast<uint64_t>(rows > 0 ? rows - 1 : 0) / 2;
    };
    const uint64_t all_pairs = pairs_below(end_row) - pairs_below(first_row);
    std::atomic<int> rows_taken{0};
    std::atomic<uint64_t> pairs_done{0};
    std::atomic<bool> too_large{false};
    clonal::run_workers(clonal::worker_count(options.threads), [&](int worker) {
        auto workspace = make_workspace();
        while (!too_large.load(std::memory_order_relaxed)) {
            // The longest rows go first, so the workers finish close together.
            const int taken = rows_taken.fetch_add(1, std::memory_order_relaxed);
            if (taken >= end_row - first_row) {
                return;
            }
            const int i = end_row - 1 - taken;
            for (int j = 0; j < i; ++j) {
                const std::optional<int32_t> value = distance(workspace, i, j);
                if (!value) {
                    too_large.store(true, std::memory_order_relaxed);
                    return;
                }
                matrix.at(i, j) = *value;
            }
            const uint64_t done = pairs_done += static_cast<uint64_t>(i);
            if (worker == 0 && options.progress) {
                options.progress(done, all_pairs);
            }
        }
    });
    if (too_large.load()) {
        return DistanceResult::kTooLarge;
    }
    if (matrix.whole()) {
        mirror_lower_triangle(matrix);
    }
    return DistanceResult::kDone;
}

}  // namespace kelvane
