// Clustering rules beyond single linkage. Two groups of individuals join at a threshold T when
//   single:   some pair across them is within T (a chain of such pairs links them);
//   complete: every pair across them is within T (the farthest neighbours);
//   average:  the mean distance across them is within T (UPGMA).
// For complete and average linkage the closest two groups merge first, ties broken by the
// smaller of the two groups' smallest members, then by the other's smallest member; the groups
// at T are those left once every merge at a height of at most T is made. Heights never fall
// along the merges (both rules are reducible), so the grouping at every threshold comes from one
// hierarchy built once.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/core/named_choices.hpp"
#include "kelvane/grouping/all_thresholds.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/grouping/grouping_distances.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {

enum class Linkage { kSingle, kComplete, kAverage };

// "single", "complete", "average", the words the linkage setting takes.
std::span<const clonal::NamedChoice<Linkage>> linkage_choices();
std::string_view linkage_name(Linkage linkage);
// Another word is a SettingError naming {linkage} and the words.
Linkage linkage_named(std::string_view name);

// One merge: the two groups joined, each by its smallest member (first < second), at the height
// sum / pairs: the largest distance across them (complete: pairs is 1), or the sum of the
// distances across them and their number (average), kept whole so that heights compare exactly.
struct Merge {
    int first;
    int second;
    int64_t sum;
    int64_t pairs;

    // The smallest whole threshold at which the groups join: the height rounded up.
    int64_t threshold() const {
        const int64_t quotient = sum / pairs;
        return quotient + (sum % pairs > 0 ? 1 : 0);
    }
};

// The merges of complete or average linkage among the members given (positions in `members`
// name them; every individual of the matrix when members is empty), in merge order. counts (one
// per member, or empty for 1 each): how many individuals each member stands for, such as the
// individuals of a distinct genotype, which average linkage weighs its distances by. The distance
// of a pair is read in the row of its first member, as single linkage reads it. Time O(n^2) for
// typical data (a lazy queue of nearest neighbours, Lance-Williams updates of the group
// distances), memory n^2 / 2 whole numbers.
std::vector<Merge> linkage_merges(const DistanceMatrix& matrix, Linkage linkage,
                                  std::span<const int> members = {},
                                  std::span<const int64_t> counts = {});

// The same merges by searching all pairs of groups at every step, O(n^3): the plain method, kept
// as the reference the fast one is checked against.
std::vector<Merge> linkage_merges_plainly(const DistanceMatrix& matrix, Linkage linkage);

// A merge of average linkage on real distances, at the mean distance across the two groups.
struct RealMerge {
    int first;
    int second;
    double height;
};

// The merges of average linkage on real distances, as linkage_merges gives them on whole ones;
// the plain search of all pairs beside it. Means are sums of the distances divided by their
// number, compared as double quotients, so that two heights within rounding of each other may
// come in either order.
std::vector<RealMerge> average_merges(const GroupingDistances& distances,
                                      std::span<const int> members = {},
                                      std::span<const int64_t> counts = {});
std::vector<RealMerge> average_merges_plainly(const GroupingDistances& distances);

// Under any rule: the genotypes at the threshold, numbered as genotypes_at_threshold numbers them;
// the number of genotypes at threshold 0 and every threshold where it changes (genotype_counts);
// and the thresholds at which the members merge, ascending (merge_heights), each member standing
// for counts individuals (linkage_merges).
Genotypes genotypes_under(const DistanceMatrix& matrix, int32_t threshold, Linkage linkage);
std::vector<ThresholdCount> counts_under(const DistanceMatrix& matrix, Linkage linkage);
std::vector<int32_t> heights_under(const DistanceMatrix& matrix, std::span<const int> members,
                                   std::span<const int64_t> counts, Linkage linkage);

// The same on whole or real distances, thresholds and heights in their unit: whole distances take
// whole thresholds (a threshold between them groups as the whole number below it), real ones
// real thresholds; heights of average linkage on whole distances are rounded up to whole
// thresholds, as above, on real ones they are the means.
Genotypes genotypes_under(const GroupingDistances& distances, double threshold, Linkage linkage);
std::vector<ThresholdCount> counts_under(const GroupingDistances& distances, Linkage linkage);
std::vector<double> heights_under(const GroupingDistances& distances, std::span<const int> members,
                                  std::span<const int64_t> counts, Linkage linkage);

}  // namespace kelvane
