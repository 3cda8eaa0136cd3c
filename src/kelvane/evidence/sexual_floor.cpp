// Simulated sexual offspring and the quantile of their distances.
#include "kelvane/evidence/sexual_floor.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numeric>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/worker_pool.hpp"
#include "kelvane/distance/stepwise_distance.hpp"

namespace kelvane {
namespace {

// The offspring of the data with count individuals, its copies still to be drawn.
MarkerData empty_offspring(const MarkerData& data, int64_t count) {
    MarkerData offspring;
    offspring.n_individuals = static_cast<int32_t>(count);
    offspring.n_populations = 1;
    offspring.n_loci = data.n_loci;
    offspring.max_ploidy = data.max_ploidy;
    offspring.digits = data.digits;
    offspring.slot_limit = data.slot_limit;
    offspring.copies.assign(offspring.copy_count(), 0);
    offspring.pop_vector.assign(static_cast<std::size_t>(count), 1);
    offspring.locus_names = data.locus_names;
    offspring.dice_offered = data.dice_offered;
    return offspring;
}

// The copies a parent passes at a locus: `passed` of its P copies (those beyond the stored
// slots are missing) drawn without replacement, present ones appended to out.
void pass_copies(const MarkerData& data, int parent, int locus, int passed, clonal::Random& random,
                 std::vector<int32_t>& positions, std::vector<int32_t>& out) {
    const auto genotype = data.locus_genotype(parent, locus);
    const auto ploidy = static_cast<int64_t>(data.max_ploidy);
    if (ploidy > static_cast<int64_t>(genotype.size())) {
        // A declared P far above the copies stored: only the stored slots can hold a copy, and
        // each of them is among the `passed` drawn of P with the chance of selection sampling
        // (still to choose over still to see), so the work follows the slots, not P.
        int64_t to_choose = passed;
        for (std::size_t position = 0; position < genotype.size() && to_choose > 0; ++position) {
            const auto unseen = ploidy - static_cast<int64_t>(position);
            if (random.next_uniform() * static_cast<double>(unseen) <
                static_cast<double>(to_choose)) {
                --to_choose;
                if (genotype[position] != 0) {
                    out.push_back(genotype[position]);
                }
            }
        }
        return;
    }
    std::iota(positions.begin(), positions.end(), 0);
    clonal::partial_shuffle(random, positions, passed);
    for (int k = 0; k < passed; ++k) {
        const auto position = static_cast<std::size_t>(positions[static_cast<std::size_t>(k)]);
        if (position < genotype.size() && genotype[position] != 0) {
            out.push_back(genotype[position]);
        }
    }
}

[[noreturn]] void throw_too_large() {
    throw clonal::FatalError(
        "a distance between simulated offspring exceeds 2147483647; choose another model or "
        "other settings");
}

// The whole group's distances, pair by pair of the lower triangle.
std::vector<int32_t> group_distances(const MarkerData& offspring, int first, int size,
                                     const DistanceModel& model) {
    MarkerData group = empty_offspring(offspring, size);
    // Locus by locus, the group's individuals are one run of copies.
    std::vector<int32_t> values;
    values.reserve(group.copy_count());
    for (int locus = 0; locus < offspring.n_loci; ++locus) {
        const auto from =
            static_cast<std::ptrdiff_t>(offspring.locus_genotype_offset(first, locus));
        const auto to =
            static_cast<std::ptrdiff_t>(offspring.locus_genotype_offset(first + size, locus));
        values.insert(values.end(), offspring.copies.begin() + from, offspring.copies.begin() + to);
    }
    group.copies.assign_values(values);
    DistanceOptions options;
    options.threads = 1;
    options.share_locus_results = false;
    std::vector<int32_t> distances;
    if (model.partial != PartialGenotypes::kNone) {
        // Offspring of partial genotypes may share no typed locus: such a pair has no distance
        // and is left out, where the matrix of the data refuses it.
        for (const double mean : real_distances(group, model, options)) {
            const double rounded = mean * static_cast<double>(model.multiplier) + 0.5;
            if (std::isnan(rounded)) {
                continue;
            }
            if (!(rounded < 2147483648.0)) {
                throw_too_large();
            }
            distances.push_back(static_cast<int32_t>(rounded));
        }
        return distances;
    }
    DistanceMatrix matrix(size);
    if (compute_distances(group, matrix, model, options) != DistanceResult::kDone) {
        throw_too_large();
    }
    for (int i = 1; i < size; ++i) {
        for (int j = 0; j < i; ++j) {
            distances.push_back(matrix.at(i, j));
        }
    }
    return distances;
}

}  // namespace

MarkerData sexual_offspring(const MarkerData& data, int64_t count, clonal::Random& random) {
    MarkerData offspring = empty_offspring(data, count);
    const int n = data.n_individuals;
    const int ploidy = data.max_ploidy;
    std::vector<int32_t> positions(static_cast<std::size_t>(std::min(ploidy, data.slots())));
    std::vector<int32_t> copies;
    for (int child = 0; child < offspring.n_individuals; ++child) {
        const int first = clonal::draw_index(random.next_uniform(), n);
        int second = clonal::draw_index(random.next_uniform(), n - 1);
        second += second >= first ? 1 : 0;
        for (int locus = 0; locus < data.n_loci; ++locus) {
            copies.clear();
            if (ploidy == 1) {
                // A haploid offspring takes each locus from either parent (recombination);
                // halving one copy would make every offspring a copy of its first parent.
                const int parent = random.next_uniform() < 0.5 ? first : second;
                pass_copies(data, parent, locus, 1, random, positions, copies);
            } else {
                pass_copies(data, first, locus, static_cast<int>((int64_t{ploidy} + 1) / 2), random,
                            positions, copies);
                pass_copies(data, second, locus, ploidy / 2, random, positions, copies);
            }
            const auto slots = offspring.locus_genotype(child, locus);
            for (std::size_t slot = 0; slot < std::min(copies.size(), slots.size()); ++slot) {
                slots[slot] = copies[slot];
            }
        }
    }
    return offspring;
}

std::optional<SexualFloor> sexual_floor(const MarkerData& data, const DistanceModel& model,
                                        int64_t offspring_count, double alpha,
                                        clonal::Random& random, int threads) {
    if (data.n_individuals < 2 || offspring_count < 2) {
        return std::nullopt;
    }
    MarkerData offspring = sexual_offspring(data, offspring_count, random);
    if (model.missing == MissingData::kAverage) {
        // The model puts the locus average of the data in place of a missing copy; the
        // offspring take the data's averages, not those of the few offspring compared at once.
        const std::vector<int64_t> averages = average_allele_values(data);
        for (int child = 0; child < offspring.n_individuals; ++child) {
            for (int locus = 0; locus < offspring.n_loci; ++locus) {
                const auto slots = offspring.locus_genotype(child, locus);
                for (std::size_t slot = 0; slot < slots.size(); ++slot) {
                    if (slots[slot] == 0) {
                        slots[slot] =
                            static_cast<int32_t>(averages[static_cast<std::size_t>(locus)]);
                    }
                }
            }
        }
    }
    const int64_t groups = (offspring_count + kOffspringGroup - 1) / kOffspringGroup;
    constexpr int64_t kPairsPerGroup = kOffspringGroup * (kOffspringGroup - 1) / 2;
    std::vector<std::vector<int32_t>> per_group(static_cast<std::size_t>(groups));
    std::atomic<int64_t> next{0};
    clonal::run_workers(clonal::worker_count(threads), [&](int) {
        for (int64_t g = next++; g < groups; g = next++) {
            const int64_t first = g * kOffspringGroup;
            const int64_t size = std::min<int64_t>(kOffspringGroup, offspring_count - first);
            if (size >= 2) {
                per_group[static_cast<std::size_t>(g)] = group_distances(
                    offspring, static_cast<int>(first), static_cast<int>(size), model);
            }
        }
    });
    std::vector<int32_t> distances;
    distances.reserve(static_cast<std::size_t>(groups * kPairsPerGroup));
    for (const std::vector<int32_t>& group : per_group) {
        distances.insert(distances.end(), group.begin(), group.end());
    }
    SexualFloor floor;
    floor.distances = static_cast<int64_t>(distances.size());
    const double h = alpha * static_cast<double>(distances.size() - 1);
    // The two order statistics, without sorting everything: the one at ceil(h) is the smallest
    // of those after floor(h) once that one is in place.
    const auto low = distances.begin() + static_cast<std::ptrdiff_t>(std::floor(h));
    const auto high = distances.begin() + static_cast<std::ptrdiff_t>(std::ceil(h));
    std::nth_element(distances.begin(), low, distances.end());
    floor.low = *low;
    floor.high = high == low ? *low : *std::min_element(low + 1, distances.end());
    return floor;
}

}  // namespace kelvane
