// The allele frequencies a genotype probability is computed from, for a group of individuals
// (a population or the whole data set): from every individual (ramets), from the first individual
// of every genotype (genets), or per locus from the first individual of every genotype over the
// other loci (round robin, which keeps a clone's copies from counting many times at the locus
// without dropping the alleles that tell clone mates apart). A frequency is the share of the
// allele among the typed copies of those individuals. An allele the group carries but the chosen
// individuals do not gets a small frequency instead of 0 (rare-allele fill).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/evidence/genotype_identity.hpp"

namespace kelvane {

enum class FrequencySource { kRamets, kGenets, kRoundRobin };

// The frequency of an allele the group carries but the chosen individuals lack: one copy among
// the copies of the group's genotypes, 1 / (P * G) (kGenets), or 1 / n, n the individuals of the
// group (kSamples).
enum class RareAlleleFill { kGenets, kSamples };

struct LocusFrequencies {
    std::vector<int32_t> alleles;  // ascending
    std::vector<double> frequencies;

    // The frequency of an allele, 0 for one not listed.
    double of(int32_t allele) const;
};

struct FrequencySet {
    std::vector<LocusFrequencies> loci;
    // Per locus, the individuals whose copies gave the frequencies, in data order.
    std::vector<std::vector<int>> samples;
};

// The shares of the alleles among the typed copies of the samples at a locus, listing every
// allele the members carry (those the samples lack with frequency 0).
LocusFrequencies typed_copy_frequencies(const MarkerData& data, int locus,
                                        std::span<const int> samples, std::span<const int> members);

class FrequencyEstimator {
  public:
    // genotype_of: the genotype of every individual (any numbering); identity: the data's
    // classes of identical data, used for the round robin.
    FrequencyEstimator(const MarkerData& data, const GenotypeIdentity& identity,
                       std::span<const int32_t> genotype_of, FrequencySource source,
                       RareAlleleFill fill);

    // The frequencies of a group; members in data order.
    FrequencySet for_group(std::span<const int> members) const;

  private:
    std::vector<int> samples_at(std::span<const int> members, int locus) const;

    const MarkerData& data_;
    std::vector<int32_t> genotype_of_;
    FrequencySource source_;
    RareAlleleFill fill_;
    // Per locus, the classes of identical data over every other locus (round robin only).
    std::vector<GenotypeClasses> round_robin_;
};

}  // namespace kelvane
