// The relationship of a pair of samples from its kinship and mismatch share, allowing for calling
// error. Clone mates are the pairs the mismatch share joins at the automatic threshold
// (automatic_threshold.hpp). Calling error lowers every kinship: a wrong call breaks the identity
// of duplicates and of alleles shared by descent alike, so that clone mates score less than 1/2
// and full sibs less than 1/4, and fixed cut-offs call most relatives a degree too far. The
// kinship is therefore read on the scale the data set itself gives: the median kinship (most
// pairs unrelated) reads 0 and the clone-mate mode (the median kinship of the clone-mate pairs,
// or of the replicate pairs) reads 1/2, linearly,
//   scaled = (kinship - unrelated mode) / (clone-mate mode - unrelated mode) / 2,
// and the scaled kinship is classed with KING's cut-offs (Manichaikul et al. 2010): above
// 2^-2.5 = 0.177 first-degree, above 2^-3.5 = 0.0884 second-degree, otherwise unrelated. Without
// clone mates or replicates (or with a clone-mate mode not above the unrelated mode) the kinship
// is read as it is. A pair of few shared SNPs has a kinship of wide spread: it is called related
// only when its kinship also lies beyond three standard errors of its own counts (kinship_error),
// so that chance does not make relatives of samples with many missing calls.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "kelvane/evidence/automatic_threshold.hpp"
#include "kelvane/evidence/king_kinship.hpp"

namespace kelvane {

enum class Relationship { kClone, kFirstDegree, kSecondDegree, kUnrelated, kUnknown };

// "clone", "first-degree", "second-degree", "unrelated"; "NA" for a pair whose kinship is
// undefined (no heterozygous shared SNP) and which is no clone mate.
std::string_view relationship_name(Relationship relationship);

// The scale the classes read the kinship on.
struct RelationshipScale {
    bool compared = false;         // some pair shares a SNP (otherwise every class is NA)
    AutomaticThreshold clones;     // of the mismatch shares
    double unrelated_kinship = 0;  // the median kinship
    double clone_kinship = 0.5;    // the clone-mate mode as used (1/2: the kinship as it is)
    int64_t clone_pairs = 0;       // the pairs it comes from (0: none)
};

// From the counts of every pair (i, j < i) at i * (i - 1) / 2 + j, the replicate pairs (may be
// none) and the number of SNPs. automatic_threshold's errors, unless no pair shares a SNP.
RelationshipScale relationship_scale(std::span<const KinshipCounts> counts,
                                     std::span<const std::pair<int, int>> replicates, int32_t snps);

// The standard error of a pair's kinship from its counts, HETHET and IBS0 taken as Poisson counts
// and the heterozygous SNPs as given: sqrt(4 HETHET + 16 IBS0) / (4 min(Het1, Het2)).
double kinship_error(const KinshipCounts& pair);

// The kinship on the scale: 0 at the unrelated mode, 1/2 at the clone-mate mode.
double scaled_kinship(double kinship, const RelationshipScale& scale);

Relationship relationship_of(const KinshipCounts& pair, const RelationshipScale& scale);

// How the classes were drawn, in a sentence.
std::string relationship_words(const RelationshipScale& scale);

}  // namespace kelvane
