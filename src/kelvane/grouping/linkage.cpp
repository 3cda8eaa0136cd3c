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
#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <numeric>
#include <type_traits>

#include "common/core/bug_check.hpp"
#include "common/core/loop_helper.hpp"
#include "common/core/worker_pool.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/group_distances.hpp"
#include "kelvane/grouping/label_queue.hpp"
#include "kelvane/grouping/largest_gap.hpp"
#include "kelvane/grouping/union_find.hpp"

namespace kelvane {

using linkage_detail::GroupDistances;
using linkage_detail::Height;
using linkage_detail::kSharedColumn;
using linkage_detail::LabelQueue;
using linkage_detail::RealHeight;

namespace {

constexpr std::array<clonal::NamedChoice<Linkage>, 3> kLinkages{{
    {Linkage::kSingle, "single"},
    {Linkage::kComplete, "complete"},
    {Linkage::kAverage, "average"},
}};

}  // namespace

std::span<const clonal::NamedChoice<Linkage>> linkage_choices() {
    return kLinkages;
}

std::string_view linkage_name(Linkage linkage) {
    return clonal::choice_name(linkage_choices(), linkage);
}

Linkage linkage_named(std::string_view name) {
    return clonal::choice_named(linkage_choices(), name, "linkage");
}

namespace {

// The merges from the group distances of single individuals, by the lazy queue (see above), in
// merge order: merged(first label, second label, height) for each.
template <class Sum, class Merged>
void merges_of(GroupDistances<Sum> distances, clonal::LoopHelper& helper, Merged merged) {
    using Height = typename GroupDistances<Sum>::Height;
    const int n = distances.size();
    // Groups are relabelled when the merged ones are dropped: label_of gives the first label.
    std::vector<int> label_of(static_cast<std::size_t>(n));
    std::iota(label_of.begin(), label_of.end(), 0);
    std::vector<char> active(static_cast<std::size_t>(n), 1);
    std::vector<int> neighbour(static_cast<std::size_t>(n), -1);
    LabelQueue<Height> queue(n);
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
    int groups = n;
    while (!queue.empty()) {
        // Once a quarter of the groups have merged, the rest move together: the columns then lie
        // closer and the searches skip no merged group. Labels keep their order, so ties go the
        // same way.
        if (groups >= 64 && 4 * groups <= 3 * distances.size()) {
            // The records move along: a neighbour that has merged is marked unknown (-1), its
            // height still a lower bound, and found again when the group comes up.
            std::vector<int> kept;
            std::vector<int> first_labels;
            std::vector<int> index_of(static_cast<std::size_t>(distances.size()), -1);
            for (int x = 0; x < distances.size(); ++x) {
                if (active[static_cast<std::size_t>(x)] != 0) {
                    index_of[static_cast<std::size_t>(x)] = static_cast<int>(kept.size());
                    kept.push_back(x);
                    first_labels.push_back(label_of[static_cast<std::size_t>(x)]);
                }
            }
            LabelQueue<Height> moved(groups);
            std::vector<int> moved_neighbour(kept.size(), -1);
            for (std::size_t x = 0; x < kept.size(); ++x) {
                const int old = kept[x];
                if (queue.holds(old)) {
                    const int next = neighbour[static_cast<std::size_t>(old)];
                    moved_neighbour[x] = next < 0 ? -1 : index_of[static_cast<std::size_t>(next)];
                    moved.set(static_cast<int>(x), queue.key(old));
                }
            }
            distances.compact(kept);
            label_of = std::move(first_labels);
            active.assign(kept.size(), 1);
            neighbour = std::move(moved_neighbour);
            queue = std::move(moved);
        }
        const int a = queue.top();
        const int b = neighbour[static_cast<std::size_t>(a)];
        if (b < 0 || active[static_cast<std::size_t>(b)] == 0 ||
            !(distances.height(a, b) == queue.key(a))) {
            find_neighbour(a);  // a stale record
            continue;
        }
        merged(label_of[static_cast<std::size_t>(a)], label_of[static_cast<std::size_t>(b)],
               distances.height(a, b));
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
}

// The merges by searching all pairs of groups at every step, O(n^3).
template <class Sum, class Merged>
void plain_merges(GroupDistances<Sum> distances, Merged merged) {
    const int n = distances.size();
    clonal::LoopHelper alone(false);
    std::vector<char> active(static_cast<std::size_t>(n), 1);
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
        merged(a, b, distances.height(a, b));
        active[static_cast<std::size_t>(b)] = 0;
        typename GroupDistances<Sum>::Height unused{0, 1};
        distances.merge(a, b, active, unused, alone);
    }
}

std::vector<Merge> whole_merges(auto distances, clonal::LoopHelper& helper) {
    std::vector<Merge> merges;
    merges.reserve(static_cast<std::size_t>(std::max(distances.size() - 1, 0)));
    merges_of(std::move(distances), helper, [&](int first, int second, Height height) {
        merges.push_back({first, second, height.sum, height.pairs});
    });
    return merges;
}

}  // namespace

std::vector<Merge> linkage_merges(const DistanceMatrix& matrix, Linkage linkage,
                                  std::span<const int> members, std::span<const int64_t> counts) {
    CLONAL_BUG_CHECK(linkage != Linkage::kSingle);
    CLONAL_BUG_CHECK(counts.empty() || counts.size() == members.size());
    const int n = members.empty() ? matrix.size() : static_cast<int>(members.size());
    const bool average = linkage == Linkage::kAverage;
    std::vector<int64_t> sizes(static_cast<std::size_t>(n), 1);
    if (!counts.empty()) {
        sizes.assign(counts.begin(), counts.end());
    }
    const auto distance = [&](int x, int y) {
        const int64_t d = members.empty()
                              ? linking_distance(matrix, x, y)
                              : linking_distance(matrix, members[static_cast<std::size_t>(x)],
                                                 members[static_cast<std::size_t>(y)]);
        // Average linkage sums the distances of every pair of individuals across two groups.
        return average ? d * sizes[static_cast<std::size_t>(x)] * sizes[static_cast<std::size_t>(y)]
                       : d;
    };
    clonal::LoopHelper helper(n >= kSharedColumn && clonal::worker_count(0) > 1);
    {
        GroupDistances<int32_t> narrow(average, sizes, distance, helper);
        if (narrow.sums_fit()) {
            return whole_merges(std::move(narrow), helper);
        }
    }
    return whole_merges(GroupDistances<int64_t>(average, sizes, distance, helper), helper);
}

std::vector<Merge> linkage_merges_plainly(const DistanceMatrix& matrix, Linkage linkage) {
    CLONAL_BUG_CHECK(linkage != Linkage::kSingle);
    clonal::LoopHelper alone(false);
    std::vector<Merge> merges;
    plain_merges(GroupDistances<int64_t>(
                     linkage == Linkage::kAverage,
                     std::vector<int64_t>(static_cast<std::size_t>(matrix.size()), 1),
                     [&](int x, int y) { return int64_t{linking_distance(matrix, x, y)}; }, alone),
                 [&](int first, int second, Height height) {
                     merges.push_back({first, second, height.sum, height.pairs});
                 });
    return merges;
}

std::vector<RealMerge> average_merges(const GroupingDistances& distances,
                                      std::span<const int> members,
                                      std::span<const int64_t> counts) {
    CLONAL_BUG_CHECK(counts.empty() || counts.size() == members.size());
    const int n = members.empty() ? distances.matrix.size() : static_cast<int>(members.size());
    std::vector<int64_t> sizes(static_cast<std::size_t>(n), 1);
    if (!counts.empty()) {
        sizes.assign(counts.begin(), counts.end());
    }
    const auto member = [&](int x) {
        return members.empty() ? x : members[static_cast<std::size_t>(x)];
    };
    clonal::LoopHelper helper(n >= kSharedColumn && clonal::worker_count(0) > 1);
    std::vector<RealMerge> merges;
    merges_of(GroupDistances<double>(
                  true, sizes,
                  [&](int x, int y) {
                      return distances.value(member(x), member(y)) *
                             static_cast<double>(sizes[static_cast<std::size_t>(x)] *
                                                 sizes[static_cast<std::size_t>(y)]);
                  },
                  helper),
              helper, [&](int first, int second, RealHeight height) {
                  merges.push_back({first, second, height.value()});
              });
    return merges;
}

std::vector<RealMerge> average_merges_plainly(const GroupingDistances& distances) {
    clonal::LoopHelper alone(false);
    std::vector<RealMerge> merges;
    plain_merges(
        GroupDistances<double>(
            true, std::vector<int64_t>(static_cast<std::size_t>(distances.matrix.size()), 1),
            [&](int x, int y) { return distances.value(x, y); }, alone),
        [&](int first, int second, RealHeight height) {
            merges.push_back({first, second, height.value()});
        });
    return merges;
}

namespace {

// The genotypes of the individuals that the merges at or below the threshold join.
template <class Merges, class Height>
Genotypes genotypes_of_merges(int individuals, const Merges& merges, Height height,
                              double threshold) {
    UnionFind groups(individuals);
    for (const auto& merge : merges) {
        if (height(merge) <= threshold) {
            groups.join(merge.first, merge.second);
        }
    }
    Genotypes genotypes;
    genotypes.numbers.resize(static_cast<std::size_t>(individuals));
    for (int i = 0; i < individuals; ++i) {
        genotypes.numbers[static_cast<std::size_t>(i)] = groups.find(i) + 1;
    }
    genotypes.count = renumber_genotypes(genotypes.numbers);
    return genotypes;
}

}  // namespace

Genotypes genotypes_under(const DistanceMatrix& matrix, int32_t threshold, Linkage linkage) {
    if (linkage == Linkage::kSingle) {
        return genotypes_at_threshold(matrix, threshold);
    }
    return genotypes_of_merges(
        matrix.size(), linkage_merges(matrix, linkage),
        [](const Merge& merge) { return static_cast<double>(merge.threshold()); }, threshold);
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
                                   std::span<const int64_t> counts, Linkage linkage) {
    if (linkage == Linkage::kSingle) {
        return merge_heights(matrix, members);
    }
    std::vector<int32_t> heights;
    for (const Merge& merge : linkage_merges(matrix, linkage, members, counts)) {
        // A mean of 32-bit distances rounded up stays within their range.
        heights.push_back(static_cast<int32_t>(merge.threshold()));
    }
    return heights;
}

namespace {

std::vector<double> sorted_heights(const std::vector<RealMerge>& merges) {
    std::vector<double> heights;
    heights.reserve(merges.size());
    for (const RealMerge& merge : merges) {
        heights.push_back(merge.height);
    }
    // Ascending, as merges of equal height within rounding may not be.
    std::sort(heights.begin(), heights.end());
    return heights;
}

}  // namespace

Genotypes genotypes_under(const GroupingDistances& distances, double threshold, Linkage linkage) {
    if (distances.real() && linkage == Linkage::kAverage) {
        return genotypes_of_merges(
            distances.matrix.size(), average_merges(distances),
            [](const RealMerge& merge) { return merge.height; }, threshold);
    }
    return genotypes_under(distances.matrix, distances.matrix_threshold(threshold), linkage);
}

std::vector<ThresholdCount> counts_under(const GroupingDistances& distances, Linkage linkage) {
    std::vector<ThresholdCount> counts;
    if (distances.real() && linkage == Linkage::kAverage) {
        counts =
            counts_at_merges(distances.matrix.size(), sorted_heights(average_merges(distances)));
    } else {
        counts = counts_under(distances.matrix, linkage);
        for (ThresholdCount& count : counts) {
            count.threshold = distances.distance(static_cast<int64_t>(count.threshold));
        }
    }
    // Merges across pairs without a distance come at no threshold.
    std::erase_if(counts, [](const ThresholdCount& count) { return std::isinf(count.threshold); });
    return counts;
}

std::vector<double> heights_under(const GroupingDistances& distances, std::span<const int> members,
                                  std::span<const int64_t> counts, Linkage linkage) {
    std::vector<double> heights;
    if (distances.real() && linkage == Linkage::kAverage) {
        heights = sorted_heights(average_merges(distances, members, counts));
    } else {
        for (const int32_t height : heights_under(distances.matrix, members, counts, linkage)) {
            heights.push_back(distances.distance(height));
        }
    }
    std::erase_if(heights, [](double height) { return std::isinf(height); });
    return heights;
}

}  // namespace kelvane
