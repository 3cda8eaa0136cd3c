// Genotypes as identical data, the way the field counts multilocus genotypes: two individuals
// share one at a set of loci when their sorted copies are equal at each of them, a missing copy
// being a value like any other. Counted over all loci, over all loci but one (round robin) or
// over many subsets of loci (the accumulation curve), in time linear in the individuals.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// A class per individual, numbered from 0 in the order of the first member in the data.
struct GenotypeClasses {
    std::vector<int32_t> class_of;
    int32_t count = 0;
};

class GenotypeIdentity {
  public:
    explicit GenotypeIdentity(const MarkerData& data);

    int individuals() const { return individuals_; }
    int loci() const { return loci_; }

    // The locus genotype of an individual at a locus, numbered from 0 per locus.
    int32_t locus_genotype(int individual, int locus) const {
        return ids_[static_cast<std::size_t>(individual) * static_cast<std::size_t>(loci_) +
                    static_cast<std::size_t>(locus)];
    }

    // The classes of identical data at the loci given (distinct, ascending).
    GenotypeClasses classes(std::span<const int> loci) const;
    // The classes at every locus: the multilocus genotypes.
    GenotypeClasses multilocus_genotypes() const;
    // The classes at every locus but the one given.
    GenotypeClasses all_loci_but(int locus) const;

    // Scratch space for count(), reused over many calls: an open-addressing table whose slots
    // count as empty unless stamped with the current call's number, so that no call clears it.
    struct Workspace {
        struct Slot {
            uint64_t hash = 0;
            int32_t first = 0;  // the first individual of the class
            uint32_t stamp = 0;
        };
        std::vector<Slot> slots;
        uint32_t stamp = 0;
        std::vector<uint64_t> individual_hashes;
        std::vector<int> others;
    };
    // The number of classes at the loci given (distinct, ascending).
    int32_t count(std::span<const int> loci, Workspace& workspace) const;

  private:
    // Classifies every individual; class_of may be null when only the count is wanted.
    int32_t classify(std::span<const int> loci, Workspace& workspace,
                     std::vector<int32_t>* class_of) const;
    bool same_data(int a, int b, std::span<const int> loci) const;
    // The hash of every individual at the loci given, into workspace.individual_hashes.
    void hashes(std::span<const int> loci, Workspace& workspace) const;

    int individuals_ = 0;
    int loci_ = 0;
    std::vector<int32_t> ids_;  // individual by individual, locus by locus
    // A random 64-bit key per locus genotype, stored per individual and locus: the hash of a
    // class is the sum of its keys, which two different classes share with probability 2^-64;
    // equal hashes are still compared.
    std::vector<uint64_t> keys_;
    std::vector<uint64_t> key_sums_;  // per individual, over all loci
};

}  // namespace kelvane
