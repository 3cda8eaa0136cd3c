// The distances between groups of individuals as complete and average linkage join them:
// the largest distance across two groups, or the sum of the distances across them (whose mean
// is the height), by the groups' labels, with the search for a group's nearest neighbour and the
// merge of two groups (Lance-Williams updates). Heights of whole distances compare exactly, as
// fractions; those of real distances as the quotients of their sums.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

#include "common/core/large_array.hpp"
#include "common/core/loop_helper.hpp"

namespace kelvane::linkage_detail {

// Columns of at least this many groups are updated on two cores.
inline constexpr int kSharedColumn = 512;

// Products of a sum and a count of pairs: up to 2^31 x (n^2 / 4)^2, beyond 64 bits.
__extension__ using Wide = __int128;

// A height sum / pairs: of whole distances compared exactly, of real ones by the quotient.
template <class Value>
struct HeightOf {
    Value sum;
    int64_t pairs;

    double value() const { return static_cast<double>(sum) / static_cast<double>(pairs); }
};
using Height = HeightOf<int64_t>;
using RealHeight = HeightOf<double>;

inline bool operator<(const Height& a, const Height& b) {
    return static_cast<Wide>(a.sum) * b.pairs < static_cast<Wide>(b.sum) * a.pairs;
}
inline bool operator==(const Height& a, const Height& b) {
    return static_cast<Wide>(a.sum) * b.pairs == static_cast<Wide>(b.sum) * a.pairs;
}
inline bool operator<(const RealHeight& a, const RealHeight& b) {
    return a.value() < b.value();
}
inline bool operator==(const RealHeight& a, const RealHeight& b) {
    return a.value() == b.value();
}

// The group distances: the largest distance across two groups, or the sum of the distances
// across them, by the two groups' labels; row x holds the groups y > x, one after another, so
// that the search for a group's nearest neighbour reads one run of memory. Sum is int32_t where
// every sum fits it (the largest distances of complete linkage always do), which halves the
// memory that merges read down the columns; int64_t otherwise; double for real distances.
template <class Sum>
class GroupDistances {
  public:
    static constexpr bool kReal = std::is_floating_point_v<Sum>;
    using Value = std::conditional_t<kReal, double, int64_t>;
    using Height = HeightOf<Value>;

    // Groups of the sizes given; distance(x, y) for x < y: the largest distance across them, or
    // the sum of the distances across them (average linkage).
    template <class Distance>
    GroupDistances(bool average, std::vector<int64_t> sizes, Distance distance,
                   clonal::LoopHelper& helper)
        : average_(average),
          n_(static_cast<int>(sizes.size())),
          sums_(static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_ > 0 ? n_ - 1 : 0) / 2 +
                1),
          sizes_(std::move(sizes)) {
        set_rows();
        // Rows on both threads, taken in turn.
        std::atomic<int> next_row{0};
        std::atomic<uint64_t> total{0};
        auto rows = [&](int) {
            uint64_t part = 0;
            for (int x = next_row++; x < n_; x = next_row++) {
                Sum* row = row_of(x);
                for (int y = x + 1; y < n_; ++y) {
                    const Value d = distance(x, y);
                    row[y] = static_cast<Sum>(d);
                    if constexpr (!kReal) {
                        part += static_cast<uint64_t>(d < 0 ? -d : d);
                    }
                }
            }
            total += part;
        };
        helper.share(rows);
        total_ = total.load();
        // No sum of distances exceeds the total of them all, nor a group all the individuals:
        // while the one times the other fits 62 bits, heights compare in 64-bit products.
        uint64_t individuals = 1;
        for (const int64_t size : sizes_) {
            individuals += static_cast<uint64_t>(size);
        }
        narrow_ = total_ < (uint64_t{1} << 62) / individuals;
    }

    // Whether every sum of distances fits Sum.
    bool sums_fit() const {
        return kReal || !average_ ||
               total_ <= static_cast<uint64_t>(std::numeric_limits<Sum>::max());
    }

    int size() const { return n_; }

    Height height(int x, int y) const {
        const auto [low, high] = std::minmax(x, y);
        return {row_of(low)[high], pairs(low, high)};
    }

    // The nearest active group y > x, the first of the nearest ones, and its height; -1 when
    // there is none.
    int nearest(int x, const std::vector<char>& active, Height& height) const {
        return with_rules([&](auto, auto better) { return nearest_by(x, active, height, better); });
    }

    // Joins group b into group a (a < b): the distances of a to every other active group z. Gives
    // the nearest active group of a above it afterwards, as nearest(a, ...) would.
    int merge(int a, int b, const std::vector<char>& active, Height& height,
              clonal::LoopHelper& helper) {
        sizes_[static_cast<std::size_t>(a)] += sizes_[static_cast<std::size_t>(b)];
        return with_rules([&](auto join, auto better) {
            return merge_rows(a, b, active, join, better, height, helper);
        });
    }

    // Keeps the groups given (ascending) alone, relabelled 0, 1, ... in their order. In place:
    // every entry moves to a place at or before its own, so a forward copy overwrites only
    // entries read already.
    void compact(const std::vector<int>& kept) {
        const int m = static_cast<int>(kept.size());
        Sum* target = sums_.data();
        for (int i = 0; i < m; ++i) {
            const Sum* row = row_of(kept[static_cast<std::size_t>(i)]);
            for (int j = i + 1; j < m; ++j) {
                *target++ = row[kept[static_cast<std::size_t>(j)]];
            }
        }
        for (int i = 0; i < m; ++i) {
            sizes_[static_cast<std::size_t>(i)] =
                sizes_[static_cast<std::size_t>(kept[static_cast<std::size_t>(i)])];
        }
        sizes_.resize(static_cast<std::size_t>(m));
        n_ = m;
        set_rows();
    }

  private:
    // Calls work(join, better) with the rules of the linkage: join(sum to a, sum to b) gives the
    // sum to the merged group; better(sum, size, best sum, best size, size_x) whether the height
    // sum / (size_x size) is below the best one.
    template <class Work>
    int with_rules(Work work) const {
        if (!average_) {
            return work(
                [](Sum to_a, Sum to_b) { return std::max(to_a, to_b); },
                [](Value sum, int64_t, Value best, int64_t, int64_t) { return sum < best; });
        }
        if constexpr (kReal) {
            // As Height compares them: the quotients of the sums by the pairs.
            return work([](Sum to_a, Sum to_b) { return to_a + to_b; },
                        [](Value sum, int64_t size, Value best, int64_t best_size, int64_t size_x) {
                            return Height{sum, size_x * size} < Height{best, size_x * best_size};
                        });
        } else {
            // Wraps instead of overflowing where an inactive group's entry is joined (and then
            // ignored); the sums of active groups fit Sum.
            const auto add = [](Sum to_a, Sum to_b) {
                using Unsigned = std::make_unsigned_t<Sum>;
                return static_cast<Sum>(static_cast<Unsigned>(to_a) + static_cast<Unsigned>(to_b));
            };
            if (narrow_) {
                return work(add, [](int64_t sum, int64_t size, int64_t best, int64_t best_size,
                                    int64_t) { return sum * best_size < best * size; });
            }
            return work(
                add, [](int64_t sum, int64_t size, int64_t best, int64_t best_size, int64_t) {
                    return static_cast<Wide>(sum) * best_size < static_cast<Wide>(best) * size;
                });
        }
    }

    void set_rows() {
        row_start_.resize(static_cast<std::size_t>(n_) + 1);
        for (int x = 0; x < n_; ++x) {
            // Row x starts where the rows before it, of n - 1, n - 2, ... groups, end; less x + 1
            // so that group y > x is at row_start_[x] + y.
            row_start_[static_cast<std::size_t>(x)] = static_cast<std::ptrdiff_t>(x) * n_ -
                                                      static_cast<std::ptrdiff_t>(x) * (x + 1) / 2 -
                                                      x - 1;
        }
    }

    // better(sum, size, best sum, best size): whether the height sum / (size_x size) is below
    // the best one.
    template <class Better>
    int nearest_by(int x, const std::vector<char>& active, Height& height, Better better) const {
        const Sum* row = row_of(x);
        const int64_t size_x = sizes_[static_cast<std::size_t>(x)];
        int best = -1;
        Value best_sum = 0;
        int64_t best_size = 1;
        for (int y = x + 1; y < n_; ++y) {
            const int64_t size = average_ ? sizes_[static_cast<std::size_t>(y)] : 1;
            if (active[static_cast<std::size_t>(y)] != 0 &&
                (best < 0 || better(row[y], size, best_sum, best_size, size_x))) {
                best = y;
                best_sum = row[y];
                best_size = size;
            }
        }
        height = {best_sum, average_ ? sizes_[static_cast<std::size_t>(x)] * best_size : 1};
        return best;
    }

    // Every entry (z, a) with z active takes join of itself and (z, b), and the nearest active
    // group above a is found on the way. Entries of inactive groups are joined too but kept as
    // they were, without a branch on activity, which would be mispredicted about every other
    // group once half of them have merged.
    template <class Join, class Better>
    int merge_rows(int a, int b, const std::vector<char>& active, Join join, Better better,
                   Height& height, clonal::LoopHelper& helper) {
        const auto update = [&](int z, Sum& to_a, Sum to_b) {
            const Sum joined = join(to_a, to_b);
            to_a = active[static_cast<std::size_t>(z)] != 0 ? joined : to_a;
        };
        const int64_t size_a = sizes_[static_cast<std::size_t>(a)];
        int best = -1;
        Value best_sum = 0;
        int64_t best_size = 1;
        const auto consider = [&](int z, Sum sum) {
            const int64_t size = average_ ? sizes_[static_cast<std::size_t>(z)] : 1;
            if (active[static_cast<std::size_t>(z)] != 0 &&
                (best < 0 || better(sum, size, best_sum, best_size, size_a))) {
                best = z;
                best_sum = sum;
                best_size = size;
            }
        };
        // Down the columns a and b, a row apart each: the reads of rows ahead are asked for
        // early, since no cache guesses such strides.
        constexpr int kAhead = 16;
        auto column = [&](int from, int to) {
            for (int z = from; z < to; ++z) {
                if (z + kAhead < to) {
                    __builtin_prefetch(row_of(z + kAhead) + a, 1);
                    __builtin_prefetch(row_of(z + kAhead) + b, 0);
                }
                update(z, row_of(z)[a], row_of(z)[b]);
            }
        };
        // The longest part, down the columns, on two cores once it is long enough to share.
        if (a >= kSharedColumn && helper.workers() == 2) {
            auto half = [&](int worker) {
                column(worker == 0 ? 0 : a / 2, worker == 0 ? a / 2 : a);
            };
            helper.share(half);
        } else {
            column(0, a);
        }
        Sum* row_a = row_of(a);
        for (int z = a + 1; z < b; ++z) {
            if (z + kAhead < b) {
                __builtin_prefetch(row_of(z + kAhead) + b, 0);
            }
            update(z, row_a[z], row_of(z)[b]);
            consider(z, row_a[z]);
        }
        const Sum* row_b = row_of(b);
        for (int z = b + 1; z < n_; ++z) {
            update(z, row_a[z], row_b[z]);
            consider(z, row_a[z]);
        }
        height = {best_sum, average_ ? sizes_[static_cast<std::size_t>(a)] * best_size : 1};
        return best;
    }

    Sum* row_of(int x) { return sums_.data() + row_start_[static_cast<std::size_t>(x)]; }
    const Sum* row_of(int x) const {
        return sums_.data() + row_start_[static_cast<std::size_t>(x)];
    }
    int64_t pairs(int x, int y) const {
        return average_ ? sizes_[static_cast<std::size_t>(x)] * sizes_[static_cast<std::size_t>(y)]
                        : 1;
    }

    bool average_;
    uint64_t total_ = 0;
    bool narrow_ = false;
    int n_;
    std::vector<std::ptrdiff_t> row_start_;
    clonal::LargeArray<Sum> sums_;
    std::vector<int64_t> sizes_;
};

}  // namespace kelvane::linkage_detail
