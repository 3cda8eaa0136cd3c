// A threshold for clone calls from the distances themselves, for the mismatch share (the share
// of allele copies that differ over the loci two samples both call), which allows for calling
// error. Three modes shape those distances:
//   - clone mates differ only by calling error and somatic change: a low mode, about the error
//     rate per call (a wrong call usually moves one copy of two);
//   - unrelated samples: the median of all distances, when most pairs are not clone mates;
//   - first-degree relatives: at about half the unrelated mode or more (full sibs at 0.58 of it,
//     parent and offspring at 0.67, for an allele at frequency 1/2; relatives of further degree
//     lie higher).
// The clone-mate mode is the mean distance of replicate typings (the same DNA or ramet typed
// twice) when there are some, otherwise the median of the distances below a quarter of the
// unrelated mode, far under any relative's. The threshold is the geometric mean of the
// clone-mate mode and half the unrelated mode: in the gap between clone mates and the closest
// relatives, nearer the clone mates, whose distances spread less. A clone-mate mode of 0 (no
// error seen) or none (no pair that close) is raised to a floor, half a differing copy over all
// loci, so that clone mates differing by a somatic step or an error or two still join.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kelvane {

struct AutomaticThreshold {
    double threshold = 0;
    double clone_mode = 0;      // as used: the floor when it came out lower
    double unrelated_mode = 0;  // the median distance
    int64_t clone_pairs = 0;    // the pairs the clone-mate mode comes from
    bool from_replicates = false;
    bool floored = false;  // the clone-mate mode was raised to the floor
    bool whole = false;    // rounded down to a whole distance
};

// From the distances of every pair (i, j < i) at i * (i - 1) / 2 + j (NaN: a pair without a
// distance, left out), the replicate pairs of individuals (none: the clone-mate mode from the
// distances), and the floor of the clone-mate mode. The threshold is rounded to three significant
// digits, or down to a whole number on whole distances. A FatalError about the data when no pair
// has a distance, or no replicate pair has one.
AutomaticThreshold automatic_threshold(std::vector<double> lower,
                                       std::span<const std::pair<int, int>> replicates,
                                       double floor, bool whole = false);

// A number as the words below show it: three significant digits.
std::string threshold_digits(double value);

// How the threshold was chosen, in a sentence: "0.0766: the geometric mean of the clone-mate
// mode 0.0390 (...) and half the unrelated mode 0.301 (...)".
std::string automatic_threshold_words(const AutomaticThreshold& chosen);

}  // namespace kelvane
