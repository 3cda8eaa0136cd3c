// Distinct genotypes and single linkage over them.
//
// At threshold T the members of a genotype g join each other when their own distance s(g) <= T
// or when g links to another genotype h at <= T (every member of g then links to every member of
// h); otherwise each member stays apart. Components of the distinct genotypes at T are therefore
// the clonal genotypes, with the members of an unlinked g whose s(g) > T split into singletons.
#include "kelvane/grouping/distinct_genotypes.hpp"

#include <algorithm>
#include <limits>
#include <span>
#include <unordered_map>

namespace kelvane {

bool has_missing_copy(const MarkerData& data, int individual) {
    for (int locus = 0; locus < data.n_loci; ++locus) {
        for (const int32_t copy : data.locus_genotype(individual, locus)) {
            if (copy == 0) {
                return true;
            }
        }
    }
    return false;
}

std::vector<int> DistinctGenotypes::rows() const {
    std::vector<int> rows = first;
    for (const int32_t g : twins) {
        const auto g_index = static_cast<std::size_t>(g);
        // The second member: the next individual of the genotype after its first.
        for (std::size_t i = static_cast<std::size_t>(first[g_index]) + 1; i < of.size(); ++i) {
            if (of[i] == g) {
                rows.push_back(static_cast<int>(i));
                break;
            }
        }
    }
    return rows;
}

namespace {

// An individual's copies at every locus, each locus sorted: equal for identical genotypes.
void sorted_copies(const MarkerData& data, int individual, std::vector<int32_t>& out) {
    out.clear();
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const auto genotype = data.locus_genotype(individual, locus);
        const std::size_t start = out.size();
        out.insert(out.end(), genotype.begin(), genotype.end());
        std::sort(out.begin() + static_cast<std::ptrdiff_t>(start), out.end());
    }
}

uint64_t hash_of(const std::vector<int32_t>& copies) {
    uint64_t hash = 1469598103934665603ULL;
    for (const int32_t copy : copies) {
        hash = (hash ^ static_cast<uint32_t>(copy)) * 1099511628211ULL;
    }
    return hash;
}

}  // namespace

DistinctGenotypes distinct_genotypes(const MarkerData& data, bool own_distances) {
    // Individuals grouped by a hash of their sorted copies, equal hashes checked copy by copy:
    // time O(n x loci x copies), memory O(n) besides one individual's copies at a time.
    const auto n = static_cast<std::size_t>(data.n_individuals);
    std::vector<uint64_t> hashes(n);
    std::vector<int32_t> copies;
    std::vector<int32_t> other;
    for (std::size_t i = 0; i < n; ++i) {
        sorted_copies(data, static_cast<int>(i), copies);
        hashes[i] = hash_of(copies);
    }
    std::unordered_map<uint64_t, std::vector<int32_t>> by_hash;  // hash -> genotypes
    DistinctGenotypes distinct;
    distinct.of.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<int32_t>& candidates = by_hash[hashes[i]];
        int32_t found = -1;
        if (!candidates.empty()) {
            sorted_copies(data, static_cast<int>(i), copies);
            for (const int32_t g : candidates) {
                sorted_copies(data, distinct.first[static_cast<std::size_t>(g)], other);
                if (other == copies) {
                    found = g;
                    break;
                }
            }
        }
        if (found < 0) {
            found = distinct.count();
            candidates.push_back(found);
            distinct.first.push_back(static_cast<int>(i));
            distinct.counts.push_back(0);
        }
        distinct.of[i] = found;
        ++distinct.counts[static_cast<std::size_t>(found)];
    }
    for (int32_t g = 0; g < distinct.count(); ++g) {
        const auto g_index = static_cast<std::size_t>(g);
        if (own_distances && distinct.counts[g_index] > 1 &&
            has_missing_copy(data, distinct.first[g_index])) {
            distinct.twins.push_back(g);
        }
    }
    return distinct;
}

DistinctSingleLinkage::DistinctSingleLinkage(const DistinctGenotypes& distinct, int32_t threshold)
    : distinct_(distinct),
      threshold_(threshold),
      links_(distinct.count()),
      apart_(distinct.twins.size(), false) {}

void DistinctSingleLinkage::add_band(const DistanceMatrix& band) {
    const int genotypes = distinct_.count();
    for (int i = band.first_row(); i < band.end_row(); ++i) {
        const std::span<const int32_t> row = band.row(i);
        if (i >= genotypes) {
            // A twin's second member: only its distance to the first counts; the rest repeat
            // the first's.
            const auto twin = static_cast<std::size_t>(i - genotypes);
            const int g = distinct_.twins[twin];
            apart_[twin] = row[static_cast<std::size_t>(g)] > threshold_;
            continue;
        }
        for (int j = 0; j < i; ++j) {
            if (row[static_cast<std::size_t>(j)] <= threshold_) {
                links_.join(i, j);
            }
        }
    }
}

Genotypes DistinctSingleLinkage::genotypes() const {
    UnionFind links = links_;
    const int genotypes = distinct_.count();
    // Distinct genotypes per component: a genotype alone in its component is linked to none.
    std::vector<int> members(static_cast<std::size_t>(genotypes), 0);
    for (int g = 0; g < genotypes; ++g) {
        ++members[static_cast<std::size_t>(links.find(g))];
    }
    std::vector<bool> split(static_cast<std::size_t>(genotypes), false);
    for (std::size_t twin = 0; twin < distinct_.twins.size(); ++twin) {
        const int g = distinct_.twins[twin];
        split[static_cast<std::size_t>(g)] =
            apart_[twin] && members[static_cast<std::size_t>(links.find(g))] == 1;
    }
    Genotypes result;
    result.numbers.resize(distinct_.of.size());
    for (std::size_t i = 0; i < distinct_.of.size(); ++i) {
        const int g = distinct_.of[i];
        result.numbers[i] = split[static_cast<std::size_t>(g)] ? genotypes + static_cast<int32_t>(i)
                                                               : links.find(g);
    }
    result.count = renumber_genotypes(result.numbers);
    return result;
}

DistinctMergeHeights::DistinctMergeHeights(const DistinctGenotypes& distinct, int threads)
    : distinct_(distinct), tree_(distinct.count(), threads), own_(distinct.twins.size(), 0) {}

void DistinctMergeHeights::add_band(const DistanceMatrix& band) {
    const int genotypes = distinct_.count();
    for (int i = std::max(band.first_row(), genotypes); i < band.end_row(); ++i) {
        const auto twin = static_cast<std::size_t>(i - genotypes);
        own_[twin] = band.at(i, distinct_.twins[twin]);
    }
    tree_.add_band(band);
}

std::vector<int64_t> DistinctMergeHeights::heights() const {
    const std::vector<TreeEdge> edges = tree_.edges();
    constexpr int64_t kNoOther = std::numeric_limits<int64_t>::max();
    std::vector<int64_t> nearest(static_cast<std::size_t>(distinct_.count()), kNoOther);
    std::vector<int64_t> heights;
    for (const TreeEdge& edge : edges) {
        heights.push_back(edge.weight);
        for (const int g : {edge.a, edge.b}) {
            nearest[static_cast<std::size_t>(g)] =
                std::min<int64_t>(nearest[static_cast<std::size_t>(g)], edge.weight);
        }
    }
    const std::vector<int32_t> own = own_distances();
    for (std::size_t g = 0; g < own.size(); ++g) {
        const int64_t height = std::min<int64_t>(own[g], nearest[g]);
        heights.insert(heights.end(), static_cast<std::size_t>(distinct_.counts[g] - 1), height);
    }
    std::sort(heights.begin(), heights.end());
    return heights;
}

std::vector<int32_t> DistinctMergeHeights::own_distances() const {
    std::vector<int32_t> own(static_cast<std::size_t>(distinct_.count()), 0);
    for (std::size_t twin = 0; twin < distinct_.twins.size(); ++twin) {
        own[static_cast<std::size_t>(distinct_.twins[twin])] = own_[twin];
    }
    return own;
}

}  // namespace kelvane
