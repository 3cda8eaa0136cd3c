// How the result of a distance model at a biallelic locus (at most two distinct allele values
// present) reads in counts of copies. For a pair of individuals with P copy slots each, let h and
// l be an individual's copies of the larger and of the smaller allele and m = P - h - l its
// missing slots; fewer = min(P - m) is the smaller number of present copies, common = min(h) +
// min(l) the copies the two share, and cc the pair's copy count (see most_present_copies). Then
// the locus result is
//
//   missing_cost * (cc - fewer) + step_cost * (fewer - common) + slot_cost * (P - common - min(m))
//
// with step_cost = mismatch_cost times 1, d or d * d for the d steps between the two alleles.
// fewer - common copies of the individual with fewer present copies find no identical partner;
// matched to the other allele (the closest-allele matching does this optimally at two alleles)
// each costs one step scale.
#pragma once

#include <cstdint>

namespace kelvane {

enum class StepScale { kNone, kSteps, kSquaredSteps };

struct BiallelicForm {
    int64_t missing_cost = 0;
    int64_t mismatch_cost = 0;
    StepScale scale = StepScale::kNone;
    int64_t slot_cost = 0;
};

// Alleles this many steps apart or more are never matched by the closest-allele matching.
inline constexpr int64_t kUnmatchedSteps = 9999;

}  // namespace kelvane
