// Distinct genotypes per locus, copies in descending order and copy counts per individual.
#include "kelvane/distance/locus_genotypes.hpp"

#include <algorithm>
#include <numeric>

#include "common/core/worker_pool.hpp"

namespace kelvane {
namespace {

LocusGenotypes locus_genotypes(const DescendingCopies& sorted, int n, int locus) {
    const auto key = [&](std::size_t i) {
        return sorted.locus_genotype(static_cast<int>(i), locus);
    };
    std::vector<std::size_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Equal genotypes end up next to each other, the first individual of each first.
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const auto ka = key(a);
        const auto kb = key(b);
        const auto mismatch = std::mismatch(ka.begin(), ka.end(), kb.begin());
        if (mismatch.first != ka.end()) {
            return *mismatch.first < *mismatch.second;
        }
        return a < b;
    });
    LocusGenotypes result;
    result.id_of.assign(order.size(), 0);
    for (std::size_t position = 0; position < order.size(); ++position) {
        const std::size_t i = order[position];
        if (position == 0 || !std::ranges::equal(key(i), key(order[position - 1]))) {
            result.representative.push_back(static_cast<int32_t>(i));
        }
        result.id_of[i] = static_cast<int32_t>(result.representative.size() - 1);
    }
    return result;
}

}  // namespace

std::vector<LocusGenotypes> distinct_locus_genotypes(const MarkerData& data, int threads) {
    const DescendingCopies sorted(data);
    std::vector<LocusGenotypes> loci(static_cast<std::size_t>(data.n_loci));
    clonal::for_each_index(loci.size(), threads, [&](std::size_t locus) {
        loci[locus] = locus_genotypes(sorted, data.n_individuals, static_cast<int>(locus));
    });
    return loci;
}

DescendingCopies::DescendingCopies(const MarkerData& data)
    : n_loci_(static_cast<std::size_t>(data.n_loci)),
      ploidy_(static_cast<std::size_t>(data.slots())),
      copies_(data.copy_count()) {
    // Individual by individual, so that the loci of the two individuals of a pair are read in
    // one run each.
    for (int i = 0; i < data.n_individuals; ++i) {
        for (int locus = 0; locus < data.n_loci; ++locus) {
            const auto genotype = data.locus_genotype(i, locus);
            const std::span<int32_t> sorted = std::span<int32_t>(copies_).subspan(
                (static_cast<std::size_t>(i) * n_loci_ + static_cast<std::size_t>(locus)) * ploidy_,
                ploidy_);
            std::ranges::copy(genotype, sorted.begin());
            sort_descending(sorted);
        }
    }
}

void sort_descending(std::span<int32_t> copies) {
    std::sort(copies.begin(), copies.end(), [](int32_t a, int32_t b) { return a > b; });
}

int32_t present_copies(std::span<const int32_t> copies) {
    return static_cast<int32_t>(std::ranges::count_if(copies, [](int32_t c) { return c != 0; }));
}

std::vector<int32_t> most_present_copies(const MarkerData& data) {
    std::vector<int32_t> most(static_cast<std::size_t>(data.n_individuals), 0);
    const auto slots = static_cast<std::size_t>(data.slots());
    data.copies.with_reader([&](auto copy_at) {
        for (int locus = 0; locus < data.n_loci; ++locus) {
            for (int i = 0; i < data.n_individuals; ++i) {
                const std::size_t first = data.locus_genotype_offset(i, locus);
                int32_t present = 0;
                for (std::size_t slot = 0; slot < slots; ++slot) {
                    present += copy_at(first + slot) != 0 ? 1 : 0;
                }
                int32_t& most_of_i = most[static_cast<std::size_t>(i)];
                most_of_i = std::max(most_of_i, present);
            }
        }
    });
    return most;
}

}  // namespace kelvane
