// KING-robust counts from masks of called, heterozygous and homozygous SNPs, 64 SNPs per word.
#include "kelvane/evidence/king_kinship.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>

#include "common/core/fatal_error.hpp"
#include "common/core/large_array.hpp"
#include "common/core/worker_pool.hpp"
#include "kelvane/distance/biallelic/and_popcount.hpp"
#include "kelvane/distance/biallelic/biallelic_loci.hpp"
#include "kelvane/distance/biallelic/mismatch_planes.hpp"
#include "kelvane/distance/pair_loop.hpp"

namespace kelvane {
namespace {

// The masks of one sample over a chunk of SNPs, each `words` long, one after the other.
enum Mask : std::size_t { kCalled, kHet, kHomFirst, kHomSecond, kMasks };

// Samples a worker sets the masks of at a time.
constexpr int kSampleBlock = 64;

void refuse_other_than_diploid(const MarkerData& data) {
    if (data.slots() != 2) {
        throw clonal::FatalError(
            "kinship is estimated between diploid samples, and these genotypes hold " +
                std::to_string(data.slots()) + " copies",
            clonal::ErrorKind::kData)
            .in_file(data.file);
    }
}

}  // namespace

double KinshipCounts::kinship() const {
    const int32_t least = std::min(het_first, het_second);
    if (least == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return (2.0 * hethet - 4.0 * ibs0 - het_first - het_second + 2.0 * least) / (4.0 * least);
}

double KinshipCounts::mismatch() const {
    if (shared == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // Opposite homozygotes differ in both copies, a heterozygote against a homozygote in one.
    return (2.0 * ibs0 + het_first + het_second - 2.0 * hethet) / (2.0 * shared);
}

std::vector<KinshipCounts> kinship_counts(const MarkerData& data, const DistanceOptions& options) {
    refuse_other_than_diploid(data);
    const int n = data.n_individuals;
    const std::size_t pairs =
        static_cast<std::size_t>(n) * static_cast<std::size_t>(n > 0 ? n - 1 : 0) / 2;
    std::vector<KinshipCounts> counts;
    counts.reserve(pairs);
    clonal::advise_huge_pages(counts.data(), pairs * sizeof(KinshipCounts));
    counts.resize(pairs);
    const std::vector<BiallelicLocus> loci = plane_loci(data, options.threads);
    // One block of masks for every chunk, cleared before each (memory asked for once).
    std::vector<uint64_t> masks;
    for (std::size_t from = 0; from < loci.size(); from += kChunkLoci) {
        const std::size_t size = std::min(kChunkLoci, loci.size() - from);
        const std::size_t words = (size + 63) / 64;
        const std::size_t stride = kMasks * words;
        masks.assign(static_cast<std::size_t>(n) * stride, 0);
        // Workers take blocks of samples, so that each writes its own samples' masks; a SNP's
        // first allele is the one the planes' scan met first (BiallelicLocus::larger).
        std::atomic<int> next_block{0};
        clonal::run_workers(clonal::worker_count(options.threads), [&](int) {
            data.copies.with_reader([&](auto copy_at) {
                for (int block = next_block++; block * kSampleBlock < n; block = next_block++) {
                    const int end = std::min(n, (block + 1) * kSampleBlock);
                    for (std::size_t q = 0; q < size; ++q) {
                        const BiallelicLocus& snp = loci[from + q];
                        const uint64_t bit = uint64_t{1} << (q % 64);
                        for (int i = block * kSampleBlock; i < end; ++i) {
                            const std::size_t at = data.locus_genotype_offset(i, snp.locus);
                            const int32_t a = copy_at(at);
                            const int32_t b = copy_at(at + 1);
                            if (a == 0 || b == 0) {
                                continue;  // not called (the SNPs here are called in full or not)
                            }
                            const int copies =
                                (a == snp.larger ? 1 : 0) + (b == snp.larger ? 1 : 0);
                            uint64_t* mask =
                                masks.data() + static_cast<std::size_t>(i) * stride + q / 64;
                            mask[kCalled * words] |= bit;
                            mask[(copies == 1   ? kHet
                                  : copies == 2 ? kHomFirst
                                                : kHomSecond) *
                                 words] |= bit;
                        }
                    }
                }
            });
        });
        DistanceOptions quiet = options;
        quiet.progress = {};
        for_each_pair_row(
            1, n, quiet, [n] { return std::vector<uint32_t>(5 * static_cast<std::size_t>(n)); },
            [&](std::vector<uint32_t>& sums, int i) {
                kinship_popcounts(masks.data() + static_cast<std::size_t>(i) * stride, masks.data(),
                                  stride, words, static_cast<std::size_t>(i), sums.data());
                KinshipCounts* out = counts.data() + static_cast<std::size_t>(i) *
                                                         static_cast<std::size_t>(i - 1) / 2;
                for (int j = 0; j < i; ++j) {
                    const uint32_t* pair = sums.data() + 5 * static_cast<std::size_t>(j);
                    out[j].shared += static_cast<int32_t>(pair[0]);
                    out[j].hethet += static_cast<int32_t>(pair[1]);
                    out[j].ibs0 += static_cast<int32_t>(pair[2]);
                    out[j].het_first += static_cast<int32_t>(pair[3]);
                    out[j].het_second += static_cast<int32_t>(pair[4]);
                }
                return true;
            });
    }
    return counts;
}

std::vector<KinshipCounts> kinship_counts_plainly(const MarkerData& data) {
    refuse_other_than_diploid(data);
    const int n = data.n_individuals;
    std::vector<KinshipCounts> counts;
    const std::vector<BiallelicLocus> loci = plane_loci(data);
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            KinshipCounts pair;
            for (const BiallelicLocus& taken : loci) {
                const int locus = taken.locus;
                // Copies of the allele of the locus's first called sample, per sample.
                int32_t reference = 0;
                for (int k = 0; k < n && reference == 0; ++k) {
                    reference = data.locus_genotype(k, locus)[0];
                }
                const auto dose = [&](int sample) {
                    const auto genotype = data.locus_genotype(sample, locus);
                    if (genotype[0] == 0) {
                        return -1;
                    }
                    return (genotype[0] == reference ? 1 : 0) + (genotype[1] == reference ? 1 : 0);
                };
                const int a = dose(i);
                const int b = dose(j);
                if (a < 0 || b < 0) {
                    continue;
                }
                ++pair.shared;
                pair.hethet += a == 1 && b == 1 ? 1 : 0;
                pair.ibs0 += std::abs(a - b) == 2 ? 1 : 0;
                pair.het_first += a == 1 ? 1 : 0;
                pair.het_second += b == 1 ? 1 : 0;
            }
            counts.push_back(pair);
        }
    }
    return counts;
}

}  // namespace kelvane
