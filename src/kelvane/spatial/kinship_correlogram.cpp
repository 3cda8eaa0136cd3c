// The kinship correlogram and its permutation tests.
#include "kelvane/spatial/kinship_correlogram.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>

#include "common/core/fatal_error.hpp"
#include "common/core/machine_memory.hpp"
#include "common/core/worker_pool.hpp"
#include "kelvane/spatial/loiselle_kinship.hpp"
#include "kelvane/spatial/two_sided_share.hpp"

namespace kelvane {
namespace {

constexpr std::array<clonal::NamedChoice<KinshipLevel>, 4> kLevels{{
    {KinshipLevel::kRamets, "ramets"},
    {KinshipLevel::kGenetsCentral, "genets-central"},
    {KinshipLevel::kGenetsWeighted, "genets-weighted"},
    {KinshipLevel::kGenetsRandom, "genets-random"},
}};

constexpr uint16_t kOutside = std::numeric_limits<uint16_t>::max();

std::size_t pair_index(std::size_t u, std::size_t v) {
    return u * (u - 1) / 2 + v;  // u > v
}

// The units of the level: the individuals whose genotypes give the kinship, and the genet of
// each member by unit.
struct Units {
    std::vector<int> genotypes;            // individuals
    std::vector<std::vector<int>> ramets;  // per unit, the members it stands for
};

Units units_of(const std::vector<int32_t>& genets, const std::vector<int>& members,
               KinshipLevel level) {
    Units units;
    if (level == KinshipLevel::kRamets || level == KinshipLevel::kGenetsWeighted) {
        for (const int i : members) {
            units.genotypes.push_back(i);
            units.ramets.push_back({i});
        }
        return units;
    }
    // One unit per genet, in the order of its first ramet.
    std::map<int32_t, std::size_t> unit_of;
    for (const int i : members) {
        const auto [place, added] =
            unit_of.emplace(genets[static_cast<std::size_t>(i)], units.genotypes.size());
        if (added) {
            units.genotypes.push_back(i);
            units.ramets.emplace_back();
        }
        units.ramets[place->second].push_back(i);
    }
    return units;
}

// Where the units lie: a ramet's place, its genet's centroid, or one of its ramets at random.
Coordinates places_of(const Coordinates& coordinates, const Units& units, KinshipLevel level,
                      clonal::Random& random) {
    Coordinates places;
    places.geographic = coordinates.geographic;
    for (const std::vector<int>& ramets : units.ramets) {
        double x = 0.0;
        double y = 0.0;
        if (level == KinshipLevel::kGenetsCentral) {
            for (const int i : ramets) {
                x += coordinates.x[static_cast<std::size_t>(i)];
                y += coordinates.y[static_cast<std::size_t>(i)];
            }
            x /= static_cast<double>(ramets.size());
            y /= static_cast<double>(ramets.size());
        } else {
            const int i = ramets.size() == 1
                              ? ramets.front()
                              : ramets[static_cast<std::size_t>(clonal::draw_index(
                                    random.next_uniform(), static_cast<int>(ramets.size())))];
            x = coordinates.x[static_cast<std::size_t>(i)];
            y = coordinates.y[static_cast<std::size_t>(i)];
        }
        places.x.push_back(x);
        places.y.push_back(y);
    }
    return places;
}

// The class of every two places under fixed limits (the width rule), kOutside beyond them.
std::vector<uint16_t> class_matrix(const Coordinates& places, const std::vector<double>& limits,
                                   int digits) {
    const auto n = static_cast<std::size_t>(places.size());
    std::vector<uint16_t> classes(n * n, kOutside);
    const int last = static_cast<int>(limits.size()) - 2;
    for (std::size_t p = 0; p < n; ++p) {
        for (std::size_t q = 0; q < p; ++q) {
            const double distance =
                rounded(places.distance(static_cast<int>(p), static_cast<int>(q)), digits);
            const auto above = std::upper_bound(limits.begin(), limits.end(), distance);
            if (above == limits.begin() || distance > limits.back()) {
                continue;
            }
            const auto klass =
                static_cast<uint16_t>(std::min(static_cast<int>(above - limits.begin()) - 1, last));
            classes[p * n + q] = klass;
            classes[q * n + p] = klass;
        }
    }
    return classes;
}

}  // namespace

std::span<const clonal::NamedChoice<KinshipLevel>> kinship_levels() {
    return kLevels;
}

double least_squares_slope(const std::vector<double>& x, const std::vector<double>& y) {
    double mean_x = 0.0;
    double mean_y = 0.0;
    int count = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        if (std::isfinite(x[k]) && std::isfinite(y[k])) {
            mean_x += x[k];
            mean_y += y[k];
            ++count;
        }
    }
    if (count < 2) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    mean_x /= count;
    mean_y /= count;
    double products = 0.0;
    double squares = 0.0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        if (std::isfinite(x[k]) && std::isfinite(y[k])) {
            products += (x[k] - mean_x) * (y[k] - mean_y);
            squares += (x[k] - mean_x) * (x[k] - mean_x);
        }
    }
    return products / squares;
}

CorrelogramResult kinship_correlogram(const MarkerData& data, const Coordinates& coordinates,
                                      const std::vector<int32_t>& genets,
                                      const std::vector<int>& members, KinshipLevel level,
                                      ClassSettings classes, int64_t permutations,
                                      clonal::Random& random, int threads) {
    classes.digits = 5;  // the correlogram's rounding (see the header), not the caller's
    const Units units = units_of(genets, members, level);
    const std::size_t n = units.genotypes.size();
    if (n < 2) {
        throw clonal::FatalError(
            "the kinship correlogram needs two units or more to pair; there " +
            std::string(n == 1 ? "is one " : "are no ") +
            (level == KinshipLevel::kRamets || level == KinshipLevel::kGenetsWeighted ? "ramet"
                                                                                      : "genet") +
            (n == 1 ? "" : "s"));
    }
    const LoiselleKinship kinship(data, units.genotypes);
    // Memory: the values of the pairs and the classes of every two places, and the permuted
    // mean of every class (the number of classes is known only later: at most one per pair).
    const auto units_count = static_cast<double>(n);
    const double class_count = classes.limits.empty()
                                   ? static_cast<double>(classes.classes)
                                   : static_cast<double>(classes.limits.size()) - 1.0;
    clonal::check_memory_for(
        "the kinship of the pairs of " + std::to_string(n) + " units and " +
            std::to_string(permutations) + " permutations of " +
            std::to_string(static_cast<int64_t>(class_count)) + " classes",
        units_count * units_count * 6.0 + class_count * static_cast<double>(permutations) * 8.0);
    // The value of every two units, weighted where the level weighs them.
    std::map<int32_t, double> genet_size;
    for (const int i : members) {
        genet_size[genets[static_cast<std::size_t>(i)]] += 1.0;
    }
    std::vector<double> values(n * (n - 1) / 2);
    clonal::for_each_index(n, threads, [&](std::size_t u) {
        for (std::size_t v = 0; v < u; ++v) {
            double value = kinship(static_cast<int>(u), static_cast<int>(v));
            if (level == KinshipLevel::kGenetsWeighted) {
                const int32_t a = genets[static_cast<std::size_t>(units.genotypes[u])];
                const int32_t b = genets[static_cast<std::size_t>(units.genotypes[v])];
                value = a == b ? 0.0 : value / (genet_size[a] * genet_size[b]);
            }
            values[pair_index(u, v)] = value;
        }
    });
    const Coordinates places = places_of(coordinates, units, level, random);
    std::vector<int> all(n);
    std::iota(all.begin(), all.end(), 0);
    CorrelogramResult result;
    std::vector<uint16_t> observed(n * n, kOutside);
    const DistanceClasses limits =
        classify_pairs(places, all, classes, [&](const ClassedPair& pair) {
            const auto klass = static_cast<std::size_t>(pair.klass);
            if (klass >= result.classes.size()) {
                result.classes.resize(klass + 1);
            }
            CorrelogramClass& c = result.classes[klass];
            ++c.pairs;
            c.distance_sum += pair.distance;
            const auto u = static_cast<std::size_t>(pair.i);
            const auto v = static_cast<std::size_t>(pair.j);
            c.kinship_sum += values[pair_index(std::max(u, v), std::min(u, v))];
            observed[u * n + v] = static_cast<uint16_t>(pair.klass);
            observed[v * n + u] = static_cast<uint16_t>(pair.klass);
        });
    const auto k = static_cast<std::size_t>(limits.count());
    result.classes.resize(k);
    for (std::size_t c = 0; c < k; ++c) {
        result.classes[c].from = limits.limits[c];
        result.classes[c].to = limits.limits[c + 1];
    }
    // The permutations: drawn in order a chunk at a time, each chunk then summed on the workers,
    // so that memory holds the positions of one chunk, whatever the number of permutations.
    result.permuted.assign(k, std::vector<double>(static_cast<std::size_t>(permutations)));
    // The pairs' values stream from memory once for a block of permutations, which share them;
    // under genets-random every permutation has classes of its own and goes alone.
    const bool own_places = level == KinshipLevel::kGenetsRandom;
    const std::size_t block = own_places ? 1 : 8;
    const std::size_t chunk = block * 64;
    // With fixed places every pair lies in a class whose count the permutation keeps; with few
    // classes their codes in bytes keep a block's rows in cache.
    std::vector<uint8_t> narrow;
    if (!own_places && k < 256 && permutations > 0) {
        narrow.assign(observed.begin(), observed.end());
        std::vector<uint16_t>().swap(observed);
    }
    std::vector<std::vector<int32_t>> positions;
    std::vector<Coordinates> redrawn;
    for (std::size_t start = 0; start < static_cast<std::size_t>(permutations); start += chunk) {
        positions.assign(std::min(chunk, static_cast<std::size_t>(permutations) - start),
                         std::vector<int32_t>(n));
        redrawn.clear();
        for (std::vector<int32_t>& position : positions) {
            if (own_places) {
                redrawn.push_back(places_of(coordinates, units, level, random));
            }
            std::vector<int32_t> order(n);
            std::iota(order.begin(), order.end(), 0);
            clonal::shuffle(random, order);
            for (std::size_t x = 0; x < n; ++x) {
                position[static_cast<std::size_t>(order[x])] = static_cast<int32_t>(x);
            }
        }
        const std::size_t blocks = (positions.size() + block - 1) / block;
        clonal::for_each_index(blocks, threads, [&](std::size_t b) {
            const std::size_t first = b * block;
            const std::size_t size = std::min(block, positions.size() - first);
            // Per permutation of the block: a sum and a count per class, one spare slot for
            // pairs outside the classes (under genets-random only).
            std::vector<double> sums(size * (k + 1), 0.0);
            std::vector<int64_t> counts(size * (k + 1), 0);
            // Each pair (u, v) adds its value to the class of the places its units are put at.
            const auto add_pairs = [&](const auto* codes, bool counted) {
                for (std::size_t u = 1; u < n; ++u) {
                    const double* value = values.data() + pair_index(u, 0);
                    for (std::size_t s = 0; s < size; ++s) {
                        const int32_t* position = positions[first + s].data();
                        const auto* row = codes + static_cast<std::size_t>(position[u]) * n;
                        double* sum = sums.data() + s * (k + 1);
                        if (!counted) {
                            for (std::size_t v = 0; v < u; ++v) {
                                sum[row[position[v]]] += value[v];
                            }
                            continue;
                        }
                        int64_t* count = counts.data() + s * (k + 1);
                        for (std::size_t v = 0; v < u; ++v) {
                            const std::size_t klass = row[position[v]];
                            const std::size_t slot = klass == kOutside ? k : klass;
                            sum[slot] += value[v];
                            ++count[slot];
                        }
                    }
                }
            };
            if (own_places) {
                add_pairs(class_matrix(redrawn[first], limits.limits, classes.digits).data(), true);
            } else if (!narrow.empty()) {
                add_pairs(narrow.data(), false);
            } else {
                add_pairs(observed.data(), false);
            }
            for (std::size_t s = 0; s < size; ++s) {
                for (std::size_t c = 0; c < k; ++c) {
                    const int64_t count =
                        own_places ? counts[s * (k + 1) + c] : result.classes[c].pairs;
                    result.permuted[c][start + first + s] =
                        sums[s * (k + 1) + c] / static_cast<double>(count);
                }
            }
        });
    }
    std::vector<double> means;
    std::vector<double> distances;
    std::vector<double> logs;
    for (std::size_t c = 0; c < k; ++c) {
        CorrelogramClass& klass = result.classes[c];
        const auto pairs = static_cast<double>(klass.pairs);
        means.push_back(klass.kinship_sum / pairs);
        distances.push_back(klass.distance_sum / pairs);
        logs.push_back(std::log(klass.distance_sum / pairs));
        // A class of every pair between fixed places holds the same pairs under every
        // permutation: its permuted means are the observed one, whatever the order of summation
        // leaves in the last bits.
        if (!own_places && static_cast<std::size_t>(klass.pairs) == n * (n - 1) / 2) {
            std::fill(result.permuted[c].begin(), result.permuted[c].end(), means.back());
        }
        klass.p = klass.pairs == 0 ? std::numeric_limits<double>::quiet_NaN()
                                   : two_sided_share(result.permuted[c], means.back());
    }
    result.b = least_squares_slope(distances, means);
    result.b_log = least_squares_slope(logs, means);
    result.f1 = means.empty() ? std::numeric_limits<double>::quiet_NaN() : means.front();
    result.sp = -result.b / (1.0 - result.f1);
    result.sp_log = -result.b_log / (1.0 - result.f1);
    return result;
}

}  // namespace kelvane
