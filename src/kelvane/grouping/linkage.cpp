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
#include <limits>
#include <numeric>

#include "common/core/bug_check.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/largest_gap.hpp"
#include "kelvane/grouping/union_find.hpp"

namespace kelvane {
namespace {

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
// across them, by the two groups' labels.
class GroupDistances {
  public:
    GroupDistances(const DistanceMatrix& matrix, Linkage linkage, std::span<const int> members)
        : average_(linkage == Linkage::kAverage),
          n_(members.empty() ? matrix.size() : static_cast<int>(members.size())),
          sums_(static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_ > 0 ? n_ - 1 : 0) / 2),
          sizes_(static_cast<std::size_t>(n_), 1) {
        const auto individual = [&](int x) {
            return members.empty() ? x : members[static_cast<std::size_t>(x)];
        };
        for (int y = 1; y < n_; ++y) {
            for (int x = 0; x < y; ++x) {
                sums_[index(x, y)] = linking_distance(matrix, individual(x), individual(y));
            }
        }
    }

    int size() const { return n_; }

    Height height(int x, int y) const {
        const auto [low, high] = std::minmax(x, y);
        const int64_t pairs = average_ ? sizes_[static_cast<std::size_t>(low)] *
                                             sizes_[static_cast<std::size_t>(high)]
                                       : 1;
        return {sums_[index(low, high)], pairs};
    }

    // Joins group b into group a (a < b): the distances of a to every other active group z.
    template <class Active>
    void merge(int a, int b, Active active) {
        for (int z = 0; z < n_; ++z) {
            if (z == a || z == b || !active(z)) {
                continue;
            }
            int64_t& to_a = sums_[index(std::min(a, z), std::max(a, z))];
            const int64_t to_b = sums_[index(std::min(b, z), std::max(b, z))];
            to_a = average_ ? to_a + to_b : std::max(to_a, to_b);
        }
        sizes_[static_cast<std::size_t>(a)] += sizes_[static_cast<std::size_t>(b)];
    }

  private:
    static std::size_t index(int low, int high) {
        return static_cast<std::size_t>(high) * static_cast<std::size_t>(high - 1) / 2 +
               static_cast<std::size_t>(low);
    }

    bool average_;
    int n_;
    std::vector<int64_t> sums_;
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

std::vector<Merge> linkage_merges(const DistanceMatrix& matrix, Linkage linkage,
                                  std::span<const int> members) {
    CLONAL_BUG_CHECK(linkage != Linkage::kSingle);
    GroupDistances distances(matrix, linkage, members);
    const int n = distances.size();
    std::vector<char> active(static_cast<std::size_t>(n), 1);
    std::vector<int> neighbour(static_cast<std::size_t>(n), -1);
    LabelQueue queue(n);
    // The nearest active group of larger label, the first of the nearest ones.
    const auto find_neighbour = [&](int x) {
        int best = -1;
        Height best_height{0, 1};
        for (int y = x + 1; y < n; ++y) {
            if (active[static_cast<std::size_t>(y)] != 0) {
                const Height h = distances.height(x, y);
                if (best < 0 || h < best_height) {
                    best = y;
                    best_height = h;
                }
            }
        }
        neighbour[static_cast<std::size_t>(x)] = best;
        if (best < 0) {
            queue.remove(x);
        } else {
            queue.set(x, best_height);
        }
    };
    for (int x = 0; x + 1 < n; ++x) {
        find_neighbour(x);
    }
    std::vector<Merge> merges;
    merges.reserve(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    while (!queue.empty()) {
        const int a = queue.top();
        const int b = neighbour[static_cast<std::size_t>(a)];
        if (active[static_cast<std::size_t>(b)] == 0 || !(distances.height(a, b) == queue.key(a))) {
            find_neighbour(a);  // a stale record
            continue;
        }
        const Height height = distances.height(a, b);
        merges.push_back({a, b, height.sum, height.pairs});
        distances.merge(a, b, [&](int z) { return active[static_cast<std::size_t>(z)] != 0; });
        active[static_cast<std::size_t>(b)] = 0;
        queue.remove(b);
        find_neighbour(a);
    }
    return merges;
}

std::vector<Merge> linkage_merges_plainly(const DistanceMatrix& matrix, Linkage linkage) {
    CLONAL_BUG_CHECK(linkage != Linkage::kSingle);
    GroupDistances distances(matrix, linkage, {});
    const int n = distances.size();
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
        distances.merge(a, b, [&](int z) { return active[static_cast<std::size_t>(z)] != 0; });
        active[static_cast<std::size_t>(b)] = 0;
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
