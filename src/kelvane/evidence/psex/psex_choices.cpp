// The words of psex's settings.
#include "kelvane/evidence/psex/psex_choices.hpp"

#include <array>

namespace kelvane {
namespace {

constexpr std::array<clonal::NamedChoice<FrequencySource>, 3> kSources{{
    {FrequencySource::kRamets, "ramet"},
    {FrequencySource::kGenets, "genet"},
    {FrequencySource::kRoundRobin, "round-robin"},
}};

constexpr std::array<clonal::NamedChoice<RareAlleleFill>, 2> kFills{{
    {RareAlleleFill::kGenets, "genets"},
    {RareAlleleFill::kSamples, "samples"},
}};

constexpr std::array<clonal::NamedChoice<PsexMethod>, 2> kMethods{{
    {PsexMethod::kSingle, "single"},
    {PsexMethod::kMultiple, "multiple"},
}};

}  // namespace

std::span<const clonal::NamedChoice<FrequencySource>> frequency_sources() {
    return kSources;
}

std::span<const clonal::NamedChoice<RareAlleleFill>> rare_allele_fills() {
    return kFills;
}

std::span<const clonal::NamedChoice<PsexMethod>> psex_methods() {
    return kMethods;
}

}  // namespace kelvane
