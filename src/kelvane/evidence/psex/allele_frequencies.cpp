// Allele frequencies of a group from ramets, genets or the round robin, with the rare-allele fill.
#include "kelvane/evidence/psex/allele_frequencies.hpp"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace kelvane {
namespace {

// The first member of every class, in data order.
std::vector<int> first_of_each(std::span<const int> members, std::span<const int32_t> class_of) {
    std::unordered_set<int32_t> seen;
    std::vector<int> firsts;
    for (const int i : members) {
        if (seen.insert(class_of[static_cast<std::size_t>(i)]).second) {
            firsts.push_back(i);
        }
    }
    return firsts;
}

}  // namespace

double LocusFrequencies::of(int32_t allele) const {
    const auto found = std::lower_bound(alleles.begin(), alleles.end(), allele);
    if (found == alleles.end() || *found != allele) {
        return 0.0;
    }
    return frequencies[static_cast<std::size_t>(found - alleles.begin())];
}

LocusFrequencies typed_copy_frequencies(const MarkerData& data, int locus,
                                        std::span<const int> samples,
                                        std::span<const int> members) {
    std::map<int32_t, int64_t> copies;
    for (const int i : members) {
        for (const int32_t allele : data.locus_genotype(i, locus)) {
            if (allele != 0) {
                copies.emplace(allele, 0);
            }
        }
    }
    int64_t typed = 0;
    for (const int i : samples) {
        for (const int32_t allele : data.locus_genotype(i, locus)) {
            if (allele != 0) {
                ++copies[allele];
                ++typed;
            }
        }
    }
    LocusFrequencies frequencies;
    for (const auto& [allele, count] : copies) {
        frequencies.alleles.push_back(allele);
        frequencies.frequencies.push_back(
            count > 0 ? static_cast<double>(count) / static_cast<double>(typed) : 0.0);
    }
    return frequencies;
}

FrequencyEstimator::FrequencyEstimator(const MarkerData& data, const GenotypeIdentity& identity,
                                       std::span<const int32_t> genotype_of, FrequencySource source,
                                       RareAlleleFill fill)
    : data_(data),
      genotype_of_(genotype_of.begin(), genotype_of.end()),
      source_(source),
      fill_(fill) {
    if (source == FrequencySource::kRoundRobin) {
        for (int locus = 0; locus < data.n_loci; ++locus) {
            round_robin_.push_back(identity.all_loci_but(locus));
        }
    }
}

std::vector<int> FrequencyEstimator::samples_at(std::span<const int> members, int locus) const {
    switch (source_) {
        case FrequencySource::kRamets:
            break;
        case FrequencySource::kGenets:
            return first_of_each(members, genotype_of_);
        case FrequencySource::kRoundRobin:
            return first_of_each(members, round_robin_[static_cast<std::size_t>(locus)].class_of);
    }
    return {members.begin(), members.end()};
}

FrequencySet FrequencyEstimator::for_group(std::span<const int> members) const {
    FrequencySet set;
    std::unordered_set<int32_t> genotypes;
    for (const int i : members) {
        genotypes.insert(genotype_of_[static_cast<std::size_t>(i)]);
    }
    const double fill =
        fill_ == RareAlleleFill::kSamples
            ? 1.0 / static_cast<double>(members.size())
            : 1.0 / (static_cast<double>(data_.max_ploidy) * static_cast<double>(genotypes.size()));
    for (int locus = 0; locus < data_.n_loci; ++locus) {
        std::vector<int> samples = samples_at(members, locus);
        LocusFrequencies frequencies = typed_copy_frequencies(data_, locus, samples, members);
        for (double& frequency : frequencies.frequencies) {
            if (frequency == 0.0) {
                frequency = fill;
            }
        }
        set.loci.push_back(std::move(frequencies));
        set.samples.push_back(std::move(samples));
    }
    return set;
}

}  // namespace kelvane
