// The marker data set: every individual's population, name and allele copies at every locus,
// read once at start and unchanged for the whole run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kelvane/data/allele_copies.hpp"

namespace kelvane {

struct MarkerData {
    // The file the data were read from, which errors about the data name; empty when unknown.
    std::string file;
    // The first line of the input file as read, its line end included.
    std::string title;
    int32_t n_individuals = 0;
    int32_t n_populations = 0;
    int32_t n_loci = 0;
    int32_t max_ploidy = 0;  // P as declared: printed, and it decides whether Dice is offered
    int32_t digits = 0;      // digits per allele
    // At most this many copy slots are stored per locus genotype (0: no limit). A P far above
    // the copies any locus genotype holds only adds missing copies, which change no distance once
    // there are twice as many slots as copies, so they are not stored (see slots()).
    int32_t slot_limit = 0;

    // For every locus k and individual i, slots() allele copies at ((k * n_individuals) + i) *
    // slots(); 0 means a missing copy. Copies fill the slots from 0 upward in the order written.
    // Locus by locus, so that a reader can append the loci of a file as it reads them and a
    // computation over many individuals reads each locus in one run.
    AlleleCopies copies;
    std::vector<int32_t> pop_vector;  // population number of each individual, from 1
    // The names read from a marker data file; empty for an FSTAT file, whose populations are
    // named by their numbers (see population_name).
    std::vector<std::string> pop_names;
    std::vector<std::string> ind_names;
    std::vector<std::string> locus_names;

    // The total number of distinct alleles over all loci (see count_alleles).
    int32_t total_alleles = 0;
    // Whether the data look like presence/absence bands, for which the Dice distance is offered.
    bool dice_offered = false;

    // The name of population p (from 1): as read, or "pop" and its number.
    std::string population_name(int p) const {
        const auto index = static_cast<std::size_t>(p - 1);
        return index < pop_names.size() ? pop_names[index] : "pop" + std::to_string(p);
    }

    // The copy slots of every locus genotype: P, or fewer under the slot limit. Every distance
    // model works on these slots; the slots beyond them up to P would all be missing copies.
    int32_t slots() const {
        return slot_limit > 0 && slot_limit < max_ploidy ? slot_limit : max_ploidy;
    }

    std::size_t locus_genotype_offset(int individual, int locus) const {
        return (static_cast<std::size_t>(locus) * static_cast<std::size_t>(n_individuals) +
                static_cast<std::size_t>(individual)) *
               static_cast<std::size_t>(slots());
    }
    // The number of copies the data set holds: slots() for every individual at every locus.
    std::size_t copy_count() const { return locus_genotype_offset(0, n_loci); }

    AlleleCopies::View locus_genotype(int individual, int locus) const {
        return {copies, locus_genotype_offset(individual, locus),
                static_cast<std::size_t>(slots())};
    }
    AlleleCopies::Slots locus_genotype(int individual, int locus) {
        return {copies, locus_genotype_offset(individual, locus),
                static_cast<std::size_t>(slots())};
    }
};

// The longest names the data set holds.
inline constexpr std::size_t kMaxPopulationName = 24;
inline constexpr std::size_t kMaxIndividualName = 11;
inline constexpr std::size_t kMaxLocusName = 24;

}  // namespace kelvane
