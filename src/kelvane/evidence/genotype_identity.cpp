// Classes of identical data by hashing: the hash of an individual at a set of loci is the sum of
// a random key per locus genotype, and an open-addressing table keeps the first individual of
// every class, so each individual costs one pass over the loci and, for a member of a class met
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
    const std::vector<LocusGenotypes> per_locus = distinct_locus_genotypes(data);
    ids_.resize(static_cast<std::size_t>(individuals_) * static_cast<std::size_t>(loci_));
    keys_.resize(static_cast<std::size_t>(loci_));
    uint64_t state = 0x5eedf00dULL;
    for (int locus = 0; locus < loci_; ++locus) {
        const LocusGenotypes& genotypes = per_locus[static_cast<std::size_t>(locus)];
        for (int i = 0; i < individuals_; ++i) {
            ids_[static_cast<std::size_t>(i) * static_cast<std::size_t>(loci_) +
                 static_cast<std::size_t>(locus)] = genotypes.id_of[static_cast<std::size_t>(i)];
        }
        auto& keys = keys_[static_cast<std::size_t>(locus)];
        keys.resize(genotypes.representative.size());
        for (uint64_t& key : keys) {
            key = splitmix64(state);
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

int32_t GenotypeIdentity::classify(std::span<const int> loci, Workspace& workspace,
                                   std::vector<int32_t>* class_of) const {
    const std::size_t capacity = std::bit_ceil(2 * static_cast<std::size_t>(individuals_) + 2);
    const std::size_t mask = capacity - 1;
    workspace.hashes.resize(capacity);
    workspace.slots.assign(capacity, -1);
    workspace.class_of_slot.resize(capacity);
    int32_t count = 0;
    for (int i = 0; i < individuals_; ++i) {
        uint64_t hash = 0;
        for (const int locus : loci) {
            hash += keys_[static_cast<std::size_t>(locus)]
                         [static_cast<std::size_t>(locus_genotype(i, locus))];
        }
        std::size_t slot = static_cast<std::size_t>(hash) & mask;
        for (;; slot = (slot + 1) & mask) {
            const int32_t first = workspace.slots[slot];
            if (first < 0) {
                workspace.slots[slot] = i;
                workspace.hashes[slot] = hash;
                workspace.class_of_slot[slot] = count++;
                break;
            }
            if (workspace.hashes[slot] == hash && same_data(first, i, loci)) {
                break;
            }
        }
        if (class_of != nullptr) {
            (*class_of)[static_cast<std::size_t>(i)] = workspace.class_of_slot[slot];
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
