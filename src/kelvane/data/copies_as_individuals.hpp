// The allele copies of individuals taken apart: each individual's copy slot c at every locus makes
// one haploid individual (the variance within individuals of an AMOVA is the variance among these).
#pragma once

#include <span>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

// A data set of one copy per locus: for each individual given, in order, slots() individuals
// named "<name>.<c>" (c from 1) in its population, the c-th of which holds the individual's c-th
// copy slot at every locus (missing where the slot is empty). Allele codes are unchanged.
MarkerData copies_as_individuals(const MarkerData& data, std::span<const int> individuals);

}  // namespace kelvane
