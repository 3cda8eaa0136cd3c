// Building the bit planes of copy counts of a chunk of biallelic loci.
#include "kelvane/distance/biallelic/copy_count_planes.hpp"

#include <algorithm>
#include <atomic>

#include "common/core/worker_pool.hpp"

namespace kelvane {
namespace {

// Individuals a worker takes at a time: the loci of the chunk are read in runs of this many.
constexpr int kIndividualBlock = 256;

// Sets bit q of the first count planes (each words_per_plane long) from planes onward.
void set_planes(uint64_t* planes, int32_t count, std::size_t words_per_plane, std::size_t q) {
    const uint64_t bit = uint64_t{1} << (q % 64);
    for (int32_t t = 0; t < count; ++t) {
        planes[static_cast<std::size_t>(t) * words_per_plane + q / 64] |= bit;
    }
}

}  // namespace

CopyCountPlanes::CopyCountPlanes(const MarkerData& data, const BiallelicChunk& chunk,
                                 bool with_missing, int threads) {
    int32_t larger_planes = 0;
    int32_t smaller_planes = 0;
    int32_t missing_planes = 0;
    for (const BiallelicLocus& locus : chunk.loci) {
        larger_planes = std::max(larger_planes, locus.most_larger);
        smaller_planes = std::max(smaller_planes, locus.most_smaller);
        missing_planes = std::max(missing_planes, locus.most_missing);
    }
    if (!with_missing) {
        missing_planes = 0;
    }
    const std::size_t per_plane = (chunk.loci.size() + 63) / 64;
    allele_words_ = static_cast<std::size_t>(larger_planes + smaller_planes) * per_plane;
    missing_words_ = static_cast<std::size_t>(missing_planes) * per_plane;
    stride_ = allele_words_ + missing_words_;
    const auto n = static_cast<std::size_t>(data.n_individuals);
    words_.assign(n * stride_, 0);
    missing_slots_.assign(n, 0);

    const int blocks = (data.n_individuals + kIndividualBlock - 1) / kIndividualBlock;
    const auto slots = static_cast<std::size_t>(data.slots());
    std::atomic<int> next{0};
    clonal::run_workers(clonal::worker_count(threads), [&](int) {
        data.copies.with_reader([&](auto copy_at) {
            for (int block = next++; block < blocks; block = next++) {
                fill_block(data, chunk, block, slots, larger_planes, per_plane, missing_planes > 0,
                           copy_at);
            }
        });
    });
}

template <class CopyAt>
void CopyCountPlanes::fill_block(const MarkerData& data, const BiallelicChunk& chunk, int block,
                                 std::size_t slots, int32_t larger_planes, std::size_t per_plane,
                                 bool with_missing, CopyAt copy_at) {
    const int from = block * kIndividualBlock;
    const int to = std::min(data.n_individuals, from + kIndividualBlock);
    for (std::size_t q = 0; q < chunk.loci.size(); ++q) {
        const BiallelicLocus& locus = chunk.loci[q];
        for (int i = from; i < to; ++i) {
            const std::size_t first = data.locus_genotype_offset(i, locus.locus);
            int32_t larger = 0;
            int32_t smaller = 0;
            int32_t missing = 0;
            for (std::size_t slot = 0; slot < slots; ++slot) {
                const int32_t copy = copy_at(first + slot);
                larger += copy != 0 && copy == locus.larger ? 1 : 0;
                smaller += copy != 0 && copy == locus.smaller ? 1 : 0;
                missing += copy == 0 ? 1 : 0;
            }
            uint64_t* planes = words_.data() + offset(i);
            set_planes(planes, larger, per_plane, q);
            set_planes(planes + static_cast<std::size_t>(larger_planes) * per_plane, smaller,
                       per_plane, q);
            if (with_missing) {
                set_planes(planes + allele_words_, missing, per_plane, q);
            }
            missing_slots_[static_cast<std::size_t>(i)] += missing;
        }
    }
}

}  // namespace kelvane
