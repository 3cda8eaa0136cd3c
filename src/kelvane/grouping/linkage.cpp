// Complete and average linkage: the hierarchy of merges, fast and plainly.
//
// The fast method is the generic algorithm of hierarchical clustering with a lazy queue
// (Muellner 2011): every group x keeps a candidate nearest neighbour among the groups of larger
// label and the distance to it, and a priority queue orders the groups by that distance, then by
// label. After a merge a group's recorded distance may be stale, but never too large: under both
// rules the distance from any group to the merged one is at least the smaller of its distances
// to the two parts. So the group on top of the queue, once its record is found current (its
// neighbour still a group, at the recorded distance), holds the closest pair, and the first such
// pair in the order (distance, label, neighbour's label); a stale record is computed again and
// put back. Labels are smallest members: the merged group keeps the smaller label.
#include "kelvane/grouping/linkage.hpp"

#include <algorithm>
#include <atomic>
#include <limits>
#include <numeric>
#include <type_traits>

#include "common/core/bug_check.hpp"
#include "common/core/large_array.hpp"
#include "common/core/loop_helper.hpp"
#include "common/core/worker_pool.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/largest_gap.hpp"
#include "kelvane/grouping/union_find.hpp"

namespace kelvane {
namespace {

// Columns of at least this many groups are updated on two cores.
constexpr int kSharedColumn = 512;

// Products of a sum and a count of pairs: up to 2^31 x (n^2 / 4)^2, beyond 64 bits.
__extension__ using Wide = __int128;

// A height sum / pairs, compared exactly.
struct Height {
    int64_t sum;
    int64_t pairs;
};

bool operator<(const Height& a, const Height& b) {
    return static_cast<Wide>(a.sum) * b.pairs < static_cast<Wide>(b.sum) * a.pairs;
}
bool operator==(const Height& a, const Height& b) {
    return static_cast<Wide>(a.sum) * b.pairs == static_cast<Wide>(b.sum) * a.pairs;
}

// The group distances: the largest distance across two groups, or the sum of the distances
// across them, by the two groups' labels; row x holds the groups y > x, one after another, so
// that the search for a group's nearest neighbour reads one run of memory. Sum is int32_t where
// every sum fits it (the largest distances of complete linkage always do), which halves the
// memory that merges read down the columns; int64_t otherwise.
template <class Sum>
class GroupDistances {
  public:
    // n groups of one individual each; distance(x, y) for x < y.
    template <class Distance>
    GroupDistances(bool average, int n, Distance distance, clonal::LoopHelper& helper)
        : average_(average),
          n_(n),
          sums_(static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_ > 0 ? n_ - 1 : 0) / 2 +
                1),
          sizes_(static_cast<std::size_t>(n_), 1) {
        set_rows();
        // Rows on both threads, taken in turn.
        std::atomic<int> next_row{0};
        std::atomic<uint64_t> total{0};
        auto rows = [&](int) {
            uint64_t part = 0;
            for (int x = next_row++; x < n_; x = next_row++) {
                Sum* row = row_of(x);
                for (int y = x + 1; y < n_; ++y) {
                    const int64_t d = distance(x, y);
                    row[y] = static_cast<Sum>(d);
                    part += static_cast<uint64_t>(d < 0 ? -d : d);
                }
            }
            total += part;
        };
        helper.share(rows);
        total_ = total.load();
        // No sum of distances exceeds the total of them all, nor a group all the individuals:
        // while the one times the other fits 62 bits, heights compare in 64-bit products.
        narrow_ = total_ < (uint64_t{1} << 62) / (static_cast<uint64_t>(n) + 1);
    }

    // Whether every sum of distances fits Sum.
    bool sums_fit() const {
        return !average_ || total_ <= static_cast<uint64_t>(std::numeric_limits<Sum>::max());
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
    // sum to the merged group; better(sum, size, best sum, best size) whether the height
    // sum / (size_x size) is below the best one.
    template <class Work>
    int with_rules(Work work) const {
        if (!average_) {
            return work([](Sum to_a, Sum to_b) { return std::max(to_a, to_b); },
                        [](int64_t sum, int64_t, int64_t best, int64_t) { return sum < best; });
        }
        // Wraps instead of overflowing where an inactive group's entry is joined (and then
        // ignored); the sums of active groups fit Sum.
        const auto add = [](Sum to_a, Sum to_b) {
            using Unsigned = std::make_unsigned_t<Sum>;
            return static_cast<Sum>(static_cast<Unsigned>(to_a) + static_cast<Unsigned>(to_b));
        };
        if (narrow_) {
            return work(add, [](int64_t sum, int64_t size, int64_t best, int64_t best_size) {
                return sum * best_size < best * size;
            });
        }
        return work(add, [](int64_t sum, int64_t size, int64_t best, int64_t best_size) {
            return static_cast<Wide>(sum) * best_size < static_cast<Wide>(best) * size;
        });
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
        int best = -1;
        int64_t best_sum = 0;
        int64_t best_size = 1;
        for (int y = x + 1; y < n_; ++y) {
            const int64_t size = average_ ? sizes_[static_cast<std::size_t>(y)] : 1;
            if (active[static_cast<std::size_t>(y)] != 0 &&
                (best < 0 || better(row[y], size, best_sum, best_size))) {
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
        int best = -1;
        int64_t best_sum = 0;
        int64_t best_size = 1;
        const auto consider = [&](int z, Sum sum) {
            const int64_t size = average_ ? sizes_[static_cast<std::size_t>(z)] : 1;
            if (active[static_cast<std::size_t>(z)] != 0 &&
                (best < 0 || better(sum, size, best_sum, best_size))) {
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

// A binary heap of group labels ordered by (height, label), whose keys can change.
class LabelQueue {
  public:
    explicit LabelQueue(int n)
        : keys_(static_cast<std::size_t>(n)), position_(static_cast<std::size_t>(n), -1) {}

    bool empty() const { return heap_.empty(); }
    int top() const { return heap_.front(); }
    const Height& key(int label) const { return keys_[static_cast<std::size_t>(label)]; }

    void set(int label, Height key) {
        keys_[static_cast<std::size_t>(label)] = key;
        int& at = position_[static_cast<std::size_t>(label)];
        if (at < 0) {
            at = static_cast<int>(heap_.size());
            heap_.push_back(label);
        }
        sift_up(at);
        sift_down(position_[static_cast<std::size_t>(label)]);
    }

    void remove(int label) {
        const int at = position_[static_cast<std::size_t>(label)];
        if (at < 0) {
            return;
        }
        const int last = heap_.back();
        heap_.pop_back();
        position_[static_cast<std::size_t>(label)] = -1;
        if (last != label) {
            heap_[static_cast<std::size_t>(at)] = last;
            position_[static_cast<std::size_t>(last)] = at;
            sift_up(at);
            sift_down(position_[static_cast<std::size_t>(last)]);
        }
    }

  private:
    bool before(int a, int b) const {
        const Height& ka = key(a);
        const Height& kb = key(b);
        return ka < kb || (ka == kb && a < b);
    }
    void place(int at, int label) {
        heap_[static_cast<std::size_t>(at)] = label;
        position_[static_cast<std::size_t>(label)] = at;
    }
    void sift_up(int at) {
        const int label = heap_[static_cast<std::size_t>(at)];
        while (at > 0) {
            const int parent = (at - 1) / 2;
            if (!before(label, heap_[static_cast<std::size_t>(parent)])) {
                break;
            }
            place(at, heap_[static_cast<std::size_t>(parent)]);
            at = parent;
        }
        place(at, label);
    }
    void sift_down(int at) {
        const int label = heap_[static_cast<std::size_t>(at)];
        const int size = static_cast<int>(heap_.size());
        while (true) {
            int child = 2 * at + 1;
            if (child >= size) {
                break;
            }
            if (child + 1 < size && before(heap_[static_cast<std::size_t>(child) + 1],
                                           heap_[static_cast<std::size_t>(child)])) {
                ++child;
            }
            if (!before(heap_[static_cast<std::size_t>(child)], label)) {
                break;
            }
            place(at, heap_[static_cast<std::size_t>(child)]);
            at = child;
        }
        place(at, label);
    }

    std::vector<Height> keys_;
    std::vector<int> position_;
    std::vector<int> heap_;
};

}  // namespace

std::string_view linkage_name(Linkage linkage) {
    switch (linkage) {
        case Linkage::kSingle:
            return "single";
        case Linkage::kComplete:
            return "complete";
        case Linkage::kAverage:
            return "average";
    }
    return "single";
}

namespace {

// The merges from the group distances of single individuals, by the lazy queue (see above).
template <class Sum>
std::vector<Merge> merges_of(GroupDistances<Sum> distances, clonal::LoopHelper& helper) {
    const int n = distances.size();
    // Groups are relabelled when the merged ones are dropped: label_of gives the first label.
    std::vector<int> label_of(static_cast<std::size_t>(n));
    std::iota(label_of.begin(), label_of.end(), 0);
    std::vector<char> active(static_cast<std::size_t>(n), 1);
    std::vector<int> neighbour(static_cast<std::size_t>(n), -1);
    LabelQueue queue(n);
    // The nearest active group of larger label, the first of the nearest ones.
    const auto find_neighbour = [&](int x) {
        Height height{0, 1};
        const int best = distances.nearest(x, active, height);
        neighbour[static_cast<std::size_t>(x)] = best;
        if (best < 0) {
            queue.remove(x);
        } else {
            queue.set(x, height);
        }
    };
    // Every group's on every core, then queued in turn.
    const auto find_all_neighbours = [&] {
        const int size = distances.size();
        std::vector<Height> heights(static_cast<std::size_t>(size), Height{0, 1});
        std::atomic<int> next{0};
        auto search = [&](int) {
            for (int x = next++; x + 1 < size; x = next++) {
                neighbour[static_cast<std::size_t>(x)] =
                    distances.nearest(x, active, heights[static_cast<std::size_t>(x)]);
            }
        };
        helper.share(search);
        for (int x = 0; x + 1 < size; ++x) {
            if (neighbour[static_cast<std::size_t>(x)] >= 0) {
                queue.set(x, heights[static_cast<std::size_t>(x)]);
            }
        }
    };
    find_all_neighbours();
    std::vector<Merge> merges;
    merges.reserve(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    int groups = n;
    while (!queue.empty()) {
        // Once a quarter of the groups have merged, the rest move together: the columns then lie
        // closer and the searches skip no merged group. Labels keep their order, so ties go the
        // same way.
        if (groups >= 64 && 4 * groups <= 3 * distances.size()) {
            std::vector<int> kept;
            std::vector<int> first_labels;
            for (int x = 0; x < distances.size(); ++x) {
                if (active[static_cast<std::size_t>(x)] != 0) {
                    kept.push_back(x);
                    first_labels.push_back(label_of[static_cast<std::size_t>(x)]);
                }
            }
            distances.compact(kept);
            label_of = std::move(first_labels);
            active.assign(kept.size(), 1);
            neighbour.assign(kept.size(), -1);
            queue = LabelQueue(groups);
            find_all_neighbours();
        }
        const int a = queue.top();
        const int b = neighbour[static_cast<std::size_t>(a)];
        if (active[static_cast<std::size_t>(b)] == 0 || !(distances.height(a, b) == queue.key(a))) {
            find_neighbour(a);  // a stale record
            continue;
        }
        const Height height = distances.height(a, b);
        merges.push_back({label_of[static_cast<std::size_t>(a)],
                          label_of[static_cast<std::size_t>(b)], height.sum, height.pairs});
        active[static_cast<std::size_t>(b)] = 0;
        --groups;
        queue.remove(b);
        Height nearest{0, 1};
        const int next = distances.merge(a, b, active, nearest, helper);
        neighbour[static_cast<std::size_t>(a)] = next;
        if (next < 0) {
            queue.remove(a);
        } else {
            queue.set(a, nearest);
        }
    }
    return merges;
}

}  // namespace

std::vector<Merge> linkage_merges(const DistanceMatrix& matrix, Linkage linkage,
                                  std::span<const int> members) {
    CLONAL_BUG_CHECK(linkage != Linkage::kSingle);
    const int n = members.empty() ? matrix.size() : static_cast<int>(members.size());
    const auto distance = [&](int x, int y) {
        return int64_t{members.empty()
                           ? linking_distance(matrix, x, y)
                           : linking_distance(matrix, members[static_cast<std::size_t>(x)],
                                              members[static_cast<std::size_t>(y)])};
    };
    const bool average = linkage == Linkage::kAverage;
    clonal::LoopHelper helper(n >= kSharedColumn && clonal::worker_count(0) > 1);
    {
        GroupDistances<int32_t> narrow(average, n, distance, helper);
        if (narrow.sums_fit()) {
            return merges_of(std::move(narrow), helper);
        }
    }
    return merges_of(GroupDistances<int64_t>(average, n, distance, helper), helper);
}

std::vector<Merge> linkage_merges_plainly(const DistanceMatrix& matrix, Linkage linkage) {
    CLONAL_BUG_CHECK(linkage != Linkage::kSingle);
    const int n = matrix.size();
    clonal::LoopHelper alone(false);
    GroupDistances<int64_t> distances(
        linkage == Linkage::kAverage, n,
        [&](int x, int y) { return int64_t{linking_distance(matrix, x, y)}; }, alone);
    std::vector<char> active(static_cast<std::size_t>(n), 1);
    std::vector<Merge> merges;
    for (int step = 1; step < n; ++step) {
        int a = -1;
        int b = -1;
        for (int x = 0; x < n; ++x) {
            for (int y = x + 1; y < n; ++y) {
                if (active[static_cast<std::size_t>(x)] != 0 &&
                    active[static_cast<std::size_t>(y)] != 0 &&
                    (a < 0 || distances.height(x, y) < distances.height(a, b))) {
                    a = x;
                    b = y;
                }
            }
        }
        const Height height = distances.height(a, b);
        merges.push_back({a, b, height.sum, height.pairs});
        active[static_cast<std::size_t>(b)] = 0;
        Height unused{0, 1};
        distances.merge(a, b, active, unused, alone);
    }
    return merges;
}

Genotypes genotypes_under(const DistanceMatrix& matrix, int32_t threshold, Linkage linkage) {
    if (linkage == Linkage::kSingle) {
        return genotypes_at_threshold(matrix, threshold);
    }
    UnionFind groups(matrix.size());
    for (const Merge& merge : linkage_merges(matrix, linkage)) {
        if (merge.threshold() > threshold) {
            break;
        }
        groups.join(merge.first, merge.second);
    }
    Genotypes genotypes;
    genotypes.numbers.resize(static_cast<std::size_t>(matrix.size()));
    for (int i = 0; i < matrix.size(); ++i) {
        genotypes.numbers[static_cast<std::size_t>(i)] = groups.find(i) + 1;
    }
    genotypes.count = renumber_genotypes(genotypes.numbers);
    return genotypes;
}

std::vector<ThresholdCount> counts_under(const DistanceMatrix& matrix, Linkage linkage) {
    if (linkage == Linkage::kSingle) {
        return genotype_counts(matrix);
    }
    std::vector<int64_t> heights;
    for (const Merge& merge : linkage_merges(matrix, linkage)) {
        heights.push_back(merge.threshold());
    }
    return counts_at_merges(matrix.size(), heights);
}

std::vector<int32_t> heights_under(const DistanceMatrix& matrix, std::span<const int> members,
                                   Linkage linkage) {
    if (linkage == Linkage::kSingle) {
        return merge_heights(matrix, members);
    }
    std::vector<int32_t> heights;
    for (const Merge& merge : linkage_merges(matrix, linkage, members)) {
        // A mean of 32-bit distances rounded up stays within their range.
        heights.push_back(static_cast<int32_t>(merge.threshold()));
    }
    return heights;
}

}  // namespace kelvane
