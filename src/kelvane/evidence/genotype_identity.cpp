// Classes of identical data by hashing: the hash of an individual at a set of loci is the sum of
// a random key per locus genotype (or the sum over all loci less the loci left out, when fewer
// are left out than kept), and an open-addressing table keeps the first individual of every
// class, so each individual costs one pass over the loci and, for a member of a class met
// before, one comparison.
#include "kelvane/evidence/genotype_identity.hpp"

#include <bit>
#include <numeric>

#include "kelvane/distance/locus_genotypes.hpp"

namespace kelvane {
namespace {

// A fixed, well-mixed sequence of 64-bit keys (splitmix64): the same keys in every run, so the
// order of work never depends on anything but the data.
uint64_t splitmix64(uint64_t& state) {
    uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

GenotypeIdentity::GenotypeIdentity(const MarkerData& data)
    : individuals_(data.n_individuals), loci_(data.n_loci) {
    const std::vector<LocusGenotypes> per_locus = distinct_locus_genotypes(data, 0);
    const std::size_t cells =
        static_cast<std::size_t>(individuals_) * static_cast<std::size_t>(loci_);
    ids_.resize(cells);
    keys_.resize(cells);
    key_sums_.assign(static_cast<std::size_t>(individuals_), 0);
    uint64_t state = 0x5eedf00dULL;
    std::vector<uint64_t> keys;
    for (int locus = 0; locus < loci_; ++locus) {
        const LocusGenotypes& genotypes = per_locus[static_cast<std::size_t>(locus)];
        keys.resize(genotypes.representative.size());
        for (uint64_t& key : keys) {
            key = splitmix64(state);
        }
        for (int i = 0; i < individuals_; ++i) {
            const std::size_t cell = static_cast<std::size_t>(i) * static_cast<std::size_t>(loci_) +
                                     static_cast<std::size_t>(locus);
            ids_[cell] = genotypes.id_of[static_cast<std::size_t>(i)];
            keys_[cell] = keys[static_cast<std::size_t>(ids_[cell])];
            key_sums_[static_cast<std::size_t>(i)] += keys_[cell];
        }
    }
}

bool GenotypeIdentity::same_data(int a, int b, std::span<const int> loci) const {
    for (const int locus : loci) {
        if (locus_genotype(a, locus) != locus_genotype(b, locus)) {
            return false;
        }
    }
    return true;
}

void GenotypeIdentity::hashes(std::span<const int> loci, Workspace& workspace) const {
    std::vector<uint64_t>& out = workspace.individual_hashes;
    out.resize(static_cast<std::size_t>(individuals_));
    const auto width = static_cast<std::size_t>(loci_);
    // Summed over the loci kept, or over all loci less those left out.
    std::span<const int> summed = loci;
    const bool complement = 2 * loci.size() > width;
    if (complement) {
        workspace.others.clear();
        std::size_t next = 0;
        for (int locus = 0; locus < loci_; ++locus) {
            if (next < loci.size() && loci[next] == locus) {
                ++next;
            } else {
                workspace.others.push_back(locus);
            }
        }
        summed = workspace.others;
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        const uint64_t* keys = keys_.data() + i * width;
        uint64_t hash = 0;
        for (const int locus : summed) {
            hash += keys[static_cast<std::size_t>(locus)];
        }
        out[i] = complement ? key_sums_[i] - hash : hash;
    }
}

int32_t GenotypeIdentity::classify(std::span<const int> loci, Workspace& workspace,
                                   std::vector<int32_t>* class_of) const {
    const std::size_t capacity = std::bit_ceil(2 * static_cast<std::size_t>(individuals_) + 2);
    const std::size_t mask = capacity - 1;
    hashes(loci, workspace);
    if (workspace.slots.size() != capacity || workspace.stamp == UINT32_MAX) {
        workspace.slots.assign(capacity, {});
        workspace.stamp = 0;
    }
    const uint32_t stamp = ++workspace.stamp;
    int32_t count = 0;
    for (int i = 0; i < individuals_; ++i) {
        const uint64_t hash = workspace.individual_hashes[static_cast<std::size_t>(i)];
        std::size_t position = static_cast<std::size_t>(hash) & mask;
        for (;; position = (position + 1) & mask) {
            Workspace::Slot& slot = workspace.slots[position];
            if (slot.stamp != stamp) {
                slot = {hash, i, stamp};
                if (class_of != nullptr) {
                    (*class_of)[static_cast<std::size_t>(i)] = count;
                }
                ++count;
                break;
            }
            if (slot.hash == hash && same_data(slot.first, i, loci)) {
                if (class_of != nullptr) {
                    (*class_of)[static_cast<std::size_t>(i)] =
                        (*class_of)[static_cast<std::size_t>(slot.first)];
                }
                break;
            }
        }
    }
    return count;
}

GenotypeClasses GenotypeIdentity::classes(std::span<const int> loci) const {
    GenotypeClasses result;
    result.class_of.resize(static_cast<std::size_t>(individuals_));
    Workspace workspace;
    result.count = classify(loci, workspace, &result.class_of);
    return result;
}

GenotypeClasses GenotypeIdentity::multilocus_genotypes() const {
    std::vector<int> all(static_cast<std::size_t>(loci_));
    std::iota(all.begin(), all.end(), 0);
    return classes(all);
}

GenotypeClasses GenotypeIdentity::all_loci_but(int locus) const {
    std::vector<int> others;
    for (int k = 0; k < loci_; ++k) {
        if (k != locus) {
            others.push_back(k);
        }
    }
    return classes(others);
}

int32_t GenotypeIdentity::count(std::span<const int> loci, Workspace& workspace) const {
    return classify(loci, workspace, nullptr);
}

}  // namespace kelvane
