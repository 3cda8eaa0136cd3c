// The sums of pair distances of the AMOVA and the parallel evaluation of permuted assignments.
#include "kelvane/amova/amova_sums.hpp"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "common/core/allocation.hpp"
#include "common/core/worker_pool.hpp"
#include "kelvane/amova/amova_table.hpp"

namespace kelvane {
namespace {

// Integer sums of absolute values up to this are exact as doubles.
constexpr uint64_t kExactLimit = uint64_t{1} << 53;

// Assignments evaluated together, so that each row of distances is read from memory once for
// all of them.
constexpr std::size_t kBatch = 8;

bool is_everyone(const DistanceMatrix& matrix, std::span<const int> members) {
    if (static_cast<int>(members.size()) != matrix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (members[i] != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}

std::vector<double> as_doubles(const std::vector<int64_t>& sums) {
    return std::vector<double>(sums.begin(), sums.end());
}

// The within sums of the assignments first to last - 1 into results.
void evaluate_batch(const SamplePairs& pairs, std::span<const std::vector<int32_t>> assignments,
                    int32_t group_count, std::size_t first, std::size_t last,
                    std::span<std::vector<double>> results) {
    if (!pairs.exact()) {
        for (std::size_t q = first; q < last; ++q) {
            results[q] = within_sums_in_order(pairs, assignments[q], group_count);
        }
        return;
    }
    const auto groups_per = static_cast<std::size_t>(group_count);
    const std::size_t count = last - first;
    std::vector<int64_t> sums(count * groups_per, 0);
    for (int a = 1; a < pairs.size(); ++a) {
        const auto row = pairs.row(a);
        for (std::size_t q = 0; q < count; ++q) {
            const int32_t* groups = assignments[first + q].data();
            const int32_t group = groups[a];
            sums[q * groups_per + static_cast<std::size_t>(group)] +=
                masked_row_sum(row, groups, group, pairs.block_length());
        }
    }
    for (std::size_t q = 0; q < count; ++q) {
        const auto begin = sums.begin() + static_cast<std::ptrdiff_t>(q * groups_per);
        results[first + q] =
            std::vector<double>(begin, begin + static_cast<std::ptrdiff_t>(groups_per));
    }
}

// The sums of the pairs within each group, added in the defined order in Sum.
template <class Sum, class Pairs, class Groups>
std::vector<double> ordered_sums(const Pairs& pairs, const Groups& groups, int32_t group_count) {
    std::vector<Sum> sums(static_cast<std::size_t>(group_count), Sum{0});
    for (int a = 1; a < pairs.size(); ++a) {
        const int32_t group = groups[static_cast<std::size_t>(a)];
        const auto row = pairs.row(a);
        for (int b = 0; b < a; ++b) {
            if (groups[static_cast<std::size_t>(b)] == group) {
                sums[static_cast<std::size_t>(group)] += row[static_cast<std::size_t>(b)];
            }
        }
    }
    return std::vector<double>(sums.begin(), sums.end());
}

}  // namespace

int64_t masked_row_sum(std::span<const int32_t> row, const int32_t* groups, int32_t group,
                       int block_length) {
    const auto length = static_cast<int>(row.size());
    const int32_t* distances = row.data();
    int64_t sum = 0;
    for (int start = 0; start < length; start += std::min(block_length, length - start)) {
        const int end = start + std::min(block_length, length - start);
        int32_t part = 0;
        for (int b = start; b < end; ++b) {
            // All ones for a member of the group, else zero: no branch, so it vectorises.
            const int32_t mask = -static_cast<int32_t>(groups[b] == group);
            part += distances[b] & mask;
        }
        sum += part;
    }
    return sum;
}

SamplePairs::SamplePairs(const DistanceMatrix& matrix, std::span<const int> members)
    : size_(static_cast<int>(members.size())) {
    // A copy of half the matrix would be needed for nothing, and might not fit beside it.
    if (is_everyone(matrix, members)) {
        everyone_ = &matrix;
    } else {
        cells_ = clonal::allocate_or_fail<int32_t>(row_start(size_),
                                                   "AMOVA pairs malloc failed, more memory needed");
        std::size_t cell = 0;
        for (int a = 0; a < size_; ++a) {
            const auto matrix_row = matrix.row(members[static_cast<std::size_t>(a)]);
            for (int b = 0; b < a; ++b) {
                cells_[cell++] =
                    matrix_row[static_cast<std::size_t>(members[static_cast<std::size_t>(b)])];
            }
        }
    }
    uint64_t absolute_sum = 0;
    int64_t largest_absolute = 0;
    for (int a = 0; a < size_; ++a) {
        for (const int32_t distance : row(a)) {
            total_ += distance;
            const int64_t absolute = std::abs(int64_t{distance});
            largest_absolute = std::max(largest_absolute, absolute);
            // Stops growing past the limit, so it cannot overflow.
            if (absolute_sum <= kExactLimit) {
                absolute_sum += static_cast<uint64_t>(absolute);
            }
        }
    }
    exact_ = absolute_sum <= kExactLimit;
    const int64_t block = largest_absolute == 0
                              ? std::numeric_limits<int>::max()
                              : std::numeric_limits<int32_t>::max() / largest_absolute;
    block_length_ = static_cast<int>(std::max<int64_t>(block, 1));
}

std::vector<double> within_sums(const SamplePairs& pairs, std::span<const int32_t> groups,
                                int32_t group_count) {
    if (!pairs.exact()) {
        return within_sums_in_order(pairs, groups, group_count);
    }
    std::vector<int64_t> sums(static_cast<std::size_t>(group_count), 0);
    for (int a = 1; a < pairs.size(); ++a) {
        const int32_t group = groups[static_cast<std::size_t>(a)];
        sums[static_cast<std::size_t>(group)] +=
            masked_row_sum(pairs.row(a), groups.data(), group, pairs.block_length());
    }
    return as_doubles(sums);
}

std::vector<double> within_sums_in_order(const SamplePairs& pairs, std::span<const int32_t> groups,
                                         int32_t group_count) {
    return ordered_sums<double>(pairs, groups, group_count);
}

std::vector<std::vector<double>> permuted_within_sums(
    const SamplePairs& pairs, std::span<const std::vector<int32_t>> assignments,
    int32_t group_count, int threads) {
    std::vector<std::vector<double>> results(assignments.size());
    const std::size_t batches = (assignments.size() + kBatch - 1) / kBatch;
    clonal::for_each_index(batches, threads, [&](std::size_t batch) {
        const std::size_t first = batch * kBatch;
        const std::size_t last = std::min(first + kBatch, assignments.size());
        evaluate_batch(pairs, assignments, group_count, first, last, results);
    });
    return results;
}

std::vector<double> permuted_phi_st(const SamplePairs& pairs,
                                    std::span<const std::vector<int32_t>> assignments,
                                    std::span<const int32_t> group_sizes, int threads) {
    const std::vector<std::vector<double>> sums =
        permuted_within_sums(pairs, assignments, static_cast<int32_t>(group_sizes.size()), threads);
    std::vector<double> results;
    results.reserve(sums.size());
    for (const std::vector<double>& within : sums) {
        results.push_back(amova_table(pairs.total(), within, group_sizes).phi_st);
    }
    return results;
}

RealPairs::RealPairs(std::vector<double> cells, int size) : size_(size), cells_(std::move(cells)) {
    long double total = 0.0L;
    for (const double value : cells_) {
        total += value;
    }
    total_ = static_cast<double>(total);
}

std::vector<double> within_sums(const RealPairs& pairs, std::span<const int32_t> groups,
                                int32_t group_count) {
    // Extended precision, so that real values many times larger than their differences keep
    // their sums.
    return ordered_sums<long double>(pairs, groups, group_count);
}

std::vector<std::vector<double>> permuted_within_sums(
    const RealPairs& pairs, std::span<const std::vector<int32_t>> assignments, int32_t group_count,
    int threads) {
    std::vector<std::vector<double>> results(assignments.size());
    clonal::for_each_index(assignments.size(), threads, [&](std::size_t q) {
        results[q] = ordered_sums<long double>(pairs, assignments[q], group_count);
    });
    return results;
}

}  // namespace kelvane
