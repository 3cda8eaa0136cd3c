// The words of psex's settings: where allele frequencies come from, how an allele the chosen
// individuals lack is filled, and which probability of encounter is computed.
#pragma once

#include <span>

#include "common/core/named_choices.hpp"
#include "kelvane/evidence/psex/allele_frequencies.hpp"
#include "kelvane/evidence/psex/psex_simulation.hpp"

namespace kelvane {

// ramet, genet, round-robin (the setting frequencies).
std::span<const clonal::NamedChoice<FrequencySource>> frequency_sources();
// genets, samples (the setting rr_fill).
std::span<const clonal::NamedChoice<RareAlleleFill>> rare_allele_fills();
// single, multiple (the setting method).
std::span<const clonal::NamedChoice<PsexMethod>> psex_methods();

}  // namespace kelvane
