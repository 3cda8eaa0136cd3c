// The copy counts of every individual at the loci of a chunk as bit planes: plane t of an allele
// has bit q set when the individual holds at least t copies of that allele at the chunk's q-th
// locus (and plane t of the missing slots when at least t of its slots are missing). The copies
// two individuals share at a locus, min(h) for an allele, are then the planes' common bits,
// counted 64 loci at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/biallelic/biallelic_loci.hpp"

namespace kelvane {

class CopyCountPlanes {
  public:
    // with_missing: also the planes of the missing slots.
    CopyCountPlanes(const MarkerData& data, const BiallelicChunk& chunk, bool with_missing,
                    int threads);

    // The planes of both alleles of individual i, one after the other.
    std::span<const uint64_t> allele_planes(int i) const {
        return std::span<const uint64_t>(words_).subspan(offset(i), allele_words_);
    }
    // The planes of its missing slots (empty without them).
    std::span<const uint64_t> missing_planes(int i) const {
        return std::span<const uint64_t>(words_).subspan(offset(i) + allele_words_, missing_words_);
    }
    // The words from one individual's planes to the next's.
    std::size_t stride() const { return stride_; }
    // Its missing slots over all loci of the chunk.
    int64_t missing_slots(int i) const { return missing_slots_[static_cast<std::size_t>(i)]; }

  private:
    std::size_t offset(int i) const { return static_cast<std::size_t>(i) * stride_; }

    // Sets the planes of the individuals of one block at every locus of the chunk.
    template <class CopyAt>
    void fill_block(const MarkerData& data, const BiallelicChunk& chunk, int block,
                    std::size_t slots, int32_t larger_planes, std::size_t per_plane,
                    bool with_missing, CopyAt copy_at);

    std::size_t allele_words_ = 0;
    std::size_t missing_words_ = 0;
    std::size_t stride_ = 0;
    std::vector<uint64_t> words_;
    std::vector<int64_t> missing_slots_;
};

}  // namespace kelvane
