// What the readers of the field's formats share: a marker data set put together individual by
// individual, with populations numbered as they are first named, any number of copies per locus
// genotype, and its layout (slots for the most copies, digits of the largest allele) made once
// everything is read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

class MarkerDataBuilder {
  public:
    // title: the first line of a marker data file written from the data, without its line end.
    MarkerDataBuilder(std::string title, std::vector<std::string> locus_names);

    int n_loci() const { return static_cast<int>(locus_names_.size()); }
    int n_individuals() const { return static_cast<int>(names_.size()); }
    int n_populations() const { return static_cast<int>(population_names_.size()); }
    bool has_population(const std::string& name) const;

    // The number (from 1) of the population of this name, numbered now when it is new.
    int32_t population(const std::string& name);

    // A further population of this name, even when the name is taken already.
    int32_t new_population(const std::string& name);

    // Starts the next individual; its genotypes follow locus by locus.
    void add_individual(std::string name, int32_t population);
    // The copies (0: missing) of the current individual at its next locus.
    void add_genotype(std::span<const int32_t> copies);

    // The data set; every individual must have a genotype at every locus.
    MarkerData build() &&;

  private:
    std::string title_;
    std::vector<std::string> locus_names_;
    std::vector<std::string> population_names_;
    std::vector<std::string> names_;
    std::vector<int32_t> populations_;
    std::vector<int32_t> values_;   // the copies of every genotype, one after the other
    std::vector<uint32_t> counts_;  // per genotype, individual by individual
};

// The decimal digits of a positive value (1 for 0).
int32_t decimal_digits(int64_t value);

}  // namespace kelvane
