// Single linkage of a new batch against the stored genets, from the new samples' distances alone.
#include "kelvane/registry/registry_placement.hpp"

#include <algorithm>
#include <climits>

#include "common/core/fatal_error.hpp"
#include "kelvane/data/allele_tally.hpp"
#include "kelvane/grouping/distinct_genotypes.hpp"
#include "kelvane/grouping/union_find.hpp"
#include "kelvane/matrix/distance_matrix.hpp"

namespace kelvane {
namespace {

// Cells of distances computed at once: 128 million (512 MB).
constexpr int64_t kBandCells = int64_t{1} << 27;

// The stored genotypes, then the rows of the batch given, as one data set at the larger number of
// copy slots of the two.
MarkerData joined(const MarkerData& stored, const MarkerData& batch, const std::vector<int>& rows) {
    MarkerData data;
    data.file = batch.file;
    data.title = batch.title;
    data.n_individuals = stored.n_individuals + static_cast<int32_t>(rows.size());
    data.n_populations = 1;
    data.n_loci = batch.n_loci;
    data.max_ploidy = std::max(stored.max_ploidy, batch.max_ploidy);
    data.digits = batch.digits;
    const int32_t slots = std::max(stored.n_individuals > 0 ? stored.slots() : 0, batch.slots());
    data.slot_limit = slots < data.max_ploidy ? slots : 0;
    data.locus_names = batch.locus_names;
    data.dice_offered = batch.dice_offered;
    data.pop_vector.assign(static_cast<std::size_t>(data.n_individuals), 1);
    data.ind_names = stored.ind_names;
    for (const int row : rows) {
        data.ind_names.push_back(batch.ind_names[static_cast<std::size_t>(row)]);
    }
    std::vector<int32_t> values;
    values.reserve(data.copy_count());
    const auto append = [&](AlleleCopies::View copies) {
        values.insert(values.end(), copies.begin(), copies.end());
        values.insert(values.end(), static_cast<std::size_t>(slots) - copies.size(), 0);
    };
    for (int locus = 0; locus < data.n_loci; ++locus) {
        for (int i = 0; i < stored.n_individuals; ++i) {
            append(stored.locus_genotype(i, locus));
        }
        for (const int row : rows) {
            append(batch.locus_genotype(row, locus));
        }
    }
    data.copies.assign_values(values);
    data.total_alleles = count_alleles(data).total;
    return data;
}

// The links a batch makes: nodes are the stored genets (by increasing number), then the batch's
// distinct genotypes.
struct Links {
    std::vector<int64_t> genets;  // the stored genets' numbers, ascending
    UnionFind nodes;
    std::vector<bool> apart;  // per twin genotype: its members farther apart than the threshold
    std::vector<int32_t> nearest;  // per distinct genotype: the closest stored genotype, or -1
    std::vector<int32_t> nearest_distance;
};

// Scans a band of the batch's rows: links at the threshold, the nearest stored genotype, and the
// own distance of every twin.
void scan_band(const DistanceMatrix& band, const StoredGenotypes& stored,
               const std::vector<int>& stored_node, const DistinctGenotypes& distinct,
               int32_t threshold, Links& links) {
    const int units = stored.genotypes.n_individuals;
    const int genotypes = distinct.count();
    const int genet_nodes = static_cast<int>(links.genets.size());
    for (int i = band.first_row(); i < band.end_row(); ++i) {
        const std::span<const int32_t> row = band.row(i);
        const int k = i - units;
        if (k >= genotypes) {
            const auto twin = static_cast<std::size_t>(k - genotypes);
            links.apart[twin] =
                row[static_cast<std::size_t>(units + distinct.twins[twin])] > threshold;
            continue;
        }
        const auto at = static_cast<std::size_t>(k);
        for (int j = 0; j < units; ++j) {
            const int32_t d = row[static_cast<std::size_t>(j)];
            if (links.nearest[at] < 0 || d < links.nearest_distance[at]) {
                links.nearest[at] = j;
                links.nearest_distance[at] = d;
            }
            if (d <= threshold) {
                links.nodes.join(genet_nodes + k, stored_node[static_cast<std::size_t>(j)]);
            }
        }
        for (int j = units; j < i; ++j) {
            if (row[static_cast<std::size_t>(j)] <= threshold) {
                links.nodes.join(genet_nodes + k, genet_nodes + j - units);
            }
        }
    }
}

}  // namespace

Placements place_samples(const StoredGenotypes& stored, const MarkerData& batch,
                         const DistanceModel& model, bool own_distances, int32_t threshold,
                         int64_t next_genet, const clonal::WorkSettings& work) {
    const DistinctGenotypes distinct = distinct_genotypes(batch, own_distances);
    const std::vector<int> rows = distinct.rows();
    const MarkerData data = joined(stored.genotypes, batch, rows);
    const int units = stored.genotypes.n_individuals;
    const int n = data.n_individuals;

    std::vector<int64_t> genets = stored.genets;
    std::sort(genets.begin(), genets.end());
    genets.erase(std::unique(genets.begin(), genets.end()), genets.end());
    std::vector<int> stored_node(static_cast<std::size_t>(units));
    for (int j = 0; j < units; ++j) {
        stored_node[static_cast<std::size_t>(j)] =
            static_cast<int>(std::lower_bound(genets.begin(), genets.end(),
                                              stored.genets[static_cast<std::size_t>(j)]) -
                             genets.begin());
    }
    const int genet_nodes = static_cast<int>(genets.size());
    const auto count = static_cast<std::size_t>(distinct.count());
    Links links{genets, UnionFind(genet_nodes + distinct.count()),
                std::vector<bool>(distinct.twins.size(), false), std::vector<int32_t>(count, -1),
                std::vector<int32_t>(count, 0)};

    const int band_rows = static_cast<int>(
        std::clamp<int64_t>(kBandCells / std::max(n, 1), 1, std::max<int64_t>(n - units, 1)));
    DistanceMatrix band = DistanceMatrix::band_store(n, units, std::min(n, units + band_rows));
    for (int first = units; first < n; first += band_rows) {
        const int end = std::min(n, first + band_rows);
        band.reband(first, end);
        DistanceOptions options;
        options.threads = work.threads;
        options.progress = [&](uint64_t done, uint64_t all) {
            if (work.progress && all > 0) {
                const auto rows_done = static_cast<uint64_t>(first - units);
                work.progress(rows_done * all + done * static_cast<uint64_t>(end - first),
                              static_cast<uint64_t>(n - units) * all);
            }
        };
        if (compute_distances(data, band, model, options) != DistanceResult::kDone) {
            throw clonal::FatalError(
                "a distance exceeds 2147483647 and does not fit the matrix; choose another model "
                "or other settings",
                clonal::ErrorKind::kLimit);
        }
        scan_band(band, stored, stored_node, distinct, threshold, links);
    }

    // Per component: its stored genets, the oldest of them, its nodes, the genet it founds.
    const int nodes = genet_nodes + distinct.count();
    std::vector<int32_t> stored_genets(static_cast<std::size_t>(nodes), 0);
    std::vector<int64_t> oldest(static_cast<std::size_t>(nodes), 0);
    std::vector<int32_t> size(static_cast<std::size_t>(nodes), 0);
    std::vector<int64_t> founded(static_cast<std::size_t>(nodes), 0);
    for (int node = 0; node < nodes; ++node) {
        const auto root = static_cast<std::size_t>(links.nodes.find(node));
        ++size[root];
        if (node < genet_nodes && stored_genets[root]++ == 0) {
            oldest[root] =
                genets[static_cast<std::size_t>(node)];  // ascending: the first is oldest
        }
    }
    Placements placements;
    for (int node = 0; node < genet_nodes; ++node) {
        const int64_t into = oldest[static_cast<std::size_t>(links.nodes.find(node))];
        if (genets[static_cast<std::size_t>(node)] != into) {
            placements.merges.push_back({genets[static_cast<std::size_t>(node)], into});
        }
    }
    std::sort(placements.merges.begin(), placements.merges.end(),
              [](const GenetMerge& a, const GenetMerge& b) {
                  return a.into != b.into ? a.into < b.into : a.genet < b.genet;
              });
    // A twin genotype linked to nothing else leaves its members apart: a genet each.
    std::vector<bool> split(count, false);
    for (std::size_t twin = 0; twin < distinct.twins.size(); ++twin) {
        const int g = distinct.twins[twin];
        split[static_cast<std::size_t>(g)] =
            links.apart[twin] &&
            size[static_cast<std::size_t>(links.nodes.find(genet_nodes + g))] == 1;
    }
    placements.samples.resize(distinct.of.size());
    for (std::size_t i = 0; i < distinct.of.size(); ++i) {
        const auto k = static_cast<std::size_t>(distinct.of[i]);
        const auto root =
            static_cast<std::size_t>(links.nodes.find(genet_nodes + static_cast<int>(k)));
        SamplePlacement& sample = placements.samples[i];
        sample.nearest = links.nearest[k];
        sample.distance = links.nearest_distance[k];
        if (split[k]) {
            sample.genet = next_genet + placements.founded++;
        } else if (stored_genets[root] > 0) {
            sample.genet = oldest[root];
            sample.status =
                stored_genets[root] > 1 ? PlacementStatus::kMerged : PlacementStatus::kJoined;
        } else {
            if (founded[root] == 0) {
                founded[root] = next_genet + placements.founded++;
            }
            sample.genet = founded[root];
        }
    }
    return placements;
}

std::string genotype_text(const MarkerData& data, int individual, bool sorted) {
    std::string text;
    std::vector<int32_t> copies;
    for (int locus = 0; locus < data.n_loci; ++locus) {
        const auto genotype = data.locus_genotype(individual, locus);
        copies.assign(genotype.begin(), genotype.end());
        if (sorted) {
            // Missing copies left out: the registry's ploidy fills them in again.
            std::erase(copies, 0);
            std::sort(copies.begin(), copies.end());
            if (copies.empty()) {
                copies.push_back(0);
            }
        }
        if (locus > 0) {
            text += ' ';
        }
        for (std::size_t c = 0; c < copies.size(); ++c) {
            if (c > 0) {
                text += '/';
            }
            text += std::to_string(copies[c]);
        }
    }
    return text;
}

std::vector<int32_t> genotype_copies(const std::string& text, int32_t loci, int32_t slots) {
    std::vector<int32_t> copies(static_cast<std::size_t>(loci) * static_cast<std::size_t>(slots),
                                0);
    std::size_t at = 0;
    int32_t locus = 0;
    int32_t slot = 0;
    const auto bad = [&](const std::string& why) {
        return clonal::FatalError("a stored genotype " + why + ": \"" + text + "\"");
    };
    while (at <= text.size()) {
        std::size_t end = at;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
            ++end;
        }
        if (end == at || end - at > 10) {
            throw bad("is not made of whole numbers");
        }
        const int64_t value = std::stoll(text.substr(at, end - at));
        if (value > INT32_MAX || locus >= loci || slot >= slots) {
            throw bad(locus >= loci   ? "has more loci than the registry"
                      : slot >= slots ? "has more copies than the registry's ploidy"
                                      : "holds a number beyond 2147483647");
        }
        copies[static_cast<std::size_t>(locus) * static_cast<std::size_t>(slots) +
               static_cast<std::size_t>(slot)] = static_cast<int32_t>(value);
        if (end == text.size()) {
            break;
        }
        if (text[end] == '/') {
            ++slot;
        } else if (text[end] == ' ') {
            ++locus;
            slot = 0;
        } else {
            throw bad("is not made of whole numbers");
        }
        at = end + 1;
    }
    if (locus != loci - 1) {
        throw bad("has fewer loci than the registry");
    }
    return copies;
}

}  // namespace kelvane
