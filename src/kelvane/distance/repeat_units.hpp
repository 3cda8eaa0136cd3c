// Allele sizes as numbers of repeat units. Laboratories score microsatellite alleles as fragment
// sizes in base pairs, while the stepwise and two-phase models count mutation steps of one repeat
// each: a dinucleotide locus scored 200, 202, 204 holds alleles 1 step apart, not 2. With the
// repeat length R of every locus, a code becomes round((code - origin) / R): relative to the
// smallest code of the locus in the data (no half-repeat ambiguity for consistent data), or
// relative to 0 (the absolute rounding of the R peers, halves to even). The units of each locus
// are then shifted so that the smallest is 1 (0 stays the missing copy); the models look only at
// differences, so the shift changes no distance.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"

namespace kelvane {

enum class RepeatRounding { kRelative, kAbsolute };

struct RepeatUnits {
    std::vector<double> lengths;   // per locus, above 0; empty: codes are used as they are
    std::vector<int32_t> origins;  // per locus, the code counted as 0 repeats
    bool guessed = false;          // the lengths were guessed from the data (auto)
};

// The repeat lengths given in words: "auto", a comma-separated list in locus order or of
// locus=length pieces, or the name of a file of "locus<TAB>length" lines. A bad list, a file that
// cannot be read, lengths by name that leave a locus without one or name what is not a locus, a
// length that is not a number above 0, and a length that makes all the alleles of a locus one are a
// SettingError naming {repeat_lengths} (a file that cannot be read is of kind kFile).
RepeatUnits repeat_units_of(const std::string& words, RepeatRounding rounding,
                            const MarkerData& data);

// The file the words name, or empty when they are auto or a list.
std::string repeat_lengths_file(const std::string& words);

// Per locus, the smallest difference above 1 between two distinct codes of the data (1 when
// there is none): the guess of the repeat length that the peers make. A guess: a locus whose
// alleles all differ by two repeats gets twice its length.
std::vector<double> guessed_repeat_lengths(const MarkerData& data);

// The data with every present code in repeat units (loci of length 1 and relative origin 0 are
// unchanged). A unit count beyond 32 bits is a FatalError of kind kLimit.
MarkerData in_repeat_units(const MarkerData& data, const RepeatUnits& units);

// Per locus, the share of its distinct codes that are not a whole number of repeats from its
// smallest code (0 for a locus without codes).
std::vector<double> off_repeat_shares(const MarkerData& data, const std::vector<double>& lengths);

// What a reader of the distances should know: that the lengths are a guess, and which loci have
// codes off the repeat.
std::vector<std::string> repeat_unit_notes(const MarkerData& data, const RepeatUnits& units);

}  // namespace kelvane
