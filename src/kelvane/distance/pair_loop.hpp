// The loop over all pairs of individuals that every distance model shares: it fills the lower
// triangle row by row on every worker, mirrors it into the upper one, and refuses the whole
// matrix as soon as one distance does not fit 32 bits.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "common/core/worker_pool.hpp"
#include "kelvane/distance/distance_fill.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

// Copies every (i, j) with j < i to (j, i), in blocks that stay in the cache.
void mirror_lower_triangle(DistanceMatrix& matrix);

// Calls row(workspace, i) for every row i of [first_row, end_row), each row on exactly one
// worker, the longest rows (the largest i) first so that the workers finish close together.
// make_workspace() gives each worker its own scratch space. A row that returns false stops the
// loop, which then returns false. The pairs done (j < i) are reported after each row of the
// calling thread.
template <class MakeWorkspace, class Row>
bool for_each_pair_row(int first_row, int end_row, const DistanceOptions& options,
                       MakeWorkspace make_workspace, Row row) {
    const auto pairs_below = [](int rows) {
        return static_cast<uint64_t>(rows) * static_cast<uint64_t>(rows > 0 ? rows - 1 : 0) / 2;
    };
    const uint64_t all_pairs = pairs_below(end_row) - pairs_below(first_row);
    std::atomic<int> rows_taken{0};
    std::atomic<uint64_t> pairs_done{0};
    std::atomic<bool> stopped{false};
    clonal::run_workers(clonal::worker_count(options.threads), [&](int worker) {
        auto workspace = make_workspace();
        while (!stopped.load(std::memory_order_relaxed)) {
            const int taken = rows_taken.fetch_add(1, std::memory_order_relaxed);
            if (taken >= end_row - first_row) {
                return;
            }
            const int i = end_row - 1 - taken;
            if (!row(workspace, i)) {
                stopped.store(true, std::memory_order_relaxed);
                return;
            }
            const uint64_t done = pairs_done += static_cast<uint64_t>(i);
            if (worker == 0 && options.progress) {
                options.progress(done, all_pairs);
            }
        }
    });
    return !stopped.load();
}

// Calls distance(workspace, i, j) for every pair j < i of the matrix's rows, each pair on exactly
// one worker, and stores the results at (i, j) and, in a whole matrix, (j, i). A distance of
// std::nullopt (too large) stops the loop: the matrix is then incomplete and the result
// kTooLarge. fill_distance_rows calls prepare_row(workspace, i) before the pairs of row i, for
// models that compute a row's distances together.
template <class MakeWorkspace, class PrepareRow, class PairDistance>
DistanceResult fill_distance_rows(DistanceMatrix& matrix, const DistanceOptions& options,
                                  MakeWorkspace make_workspace, PrepareRow prepare_row,
                                  PairDistance distance) {
    const bool done = for_each_pair_row(
        matrix.first_row(), matrix.end_row(), options, make_workspace, [&](auto& workspace, int i) {
            prepare_row(workspace, i);
            for (int j = 0; j < i; ++j) {
                const std::optional<int32_t> value = distance(workspace, i, j);
                if (!value) {
                    return false;
                }
                matrix.at(i, j) = *value;
            }
            return true;
        });
    if (!done) {
        return DistanceResult::kTooLarge;
    }
    if (matrix.whole()) {
        mirror_lower_triangle(matrix);
    }
    return DistanceResult::kDone;
}

template <class MakeWorkspace, class PairDistance>
DistanceResult fill_distance_matrix(DistanceMatrix& matrix, const DistanceOptions& options,
                                    MakeWorkspace make_workspace, PairDistance distance) {
    return fill_distance_rows(
        matrix, options, make_workspace, [](auto&, int) {}, distance);
}

// The outcome of filling a matrix from real values: the pair (i, j < i) of a value that was not
// a number, when one was met (which pair, when there are several, depends on the workers).
struct ScaledFill {
    DistanceResult result = DistanceResult::kDone;
    std::optional<std::pair<int, int>> undefined;
};

// Fills the matrix as fill_distance_matrix does from real values value(workspace, i, j), each
// multiplied by multiplier and rounded half up; a value beyond 32 bits stops the loop as there,
// and a NaN (a pair without a distance) leaves 0 in its cell and is reported.
template <class MakeWorkspace, class PairValue>
ScaledFill fill_scaled_distances(DistanceMatrix& matrix, const DistanceOptions& options,
                                 double multiplier, MakeWorkspace make_workspace, PairValue value) {
    std::atomic<int64_t> undefined{-1};
    const int64_t n = matrix.size();
    ScaledFill fill;
    fill.result =
        fill_distance_matrix(matrix, options, make_workspace,
                             [&](auto& workspace, int i, int j) -> std::optional<int32_t> {
                                 const double real = value(workspace, i, j);
                                 if (std::isnan(real)) {
                                     int64_t none = -1;
                                     undefined.compare_exchange_strong(none, i * n + j);
                                     return 0;
                                 }
                                 const double rounded = real * multiplier + 0.5;
                                 if (!(rounded < 2147483648.0)) {
                                     return std::nullopt;
                                 }
                                 return static_cast<int32_t>(rounded);
                             });
    if (const int64_t pair = undefined.load(); pair >= 0) {
        fill.undefined = std::pair(static_cast<int>(pair / n), static_cast<int>(pair % n));
    }
    return fill;
}

// The real distances of n individuals, value(workspace, i, j) for every pair j < i, in the lower
// triangle: pair (i, j) at i * (i - 1) / 2 + j. fill_real_distance_rows calls
// prepare_row(workspace, i) before the pairs of row i, as fill_distance_rows does.
template <class MakeWorkspace, class PrepareRow, class PairValue>
std::vector<double> fill_real_distance_rows(int n, const DistanceOptions& options,
                                            MakeWorkspace make_workspace, PrepareRow prepare_row,
                                            PairValue value) {
    std::vector<double> lower(static_cast<std::size_t>(n) *
                              static_cast<std::size_t>(n > 0 ? n - 1 : 0) / 2);
    for_each_pair_row(0, n, options, make_workspace, [&](auto& workspace, int i) {
        prepare_row(workspace, i);
        double* row =
            lower.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(i - 1) / 2;
        for (int j = 0; j < i; ++j) {
            row[j] = value(workspace, i, j);
        }
        return true;
    });
    return lower;
}

template <class MakeWorkspace, class PairValue>
std::vector<double> fill_real_distances(int n, const DistanceOptions& options,
                                        MakeWorkspace make_workspace, PairValue value) {
    return fill_real_distance_rows(
        n, options, make_workspace, [](auto&, int) {}, value);
}

}  // namespace kelvane
