// Where the samples of a new batch go in a registry of genets: single linkage at the threshold
// against the genets stored and among the new samples, computing only the distances from new
// samples. A genet is a single-linkage group at the threshold, so a new sample joins every genet
// it lies within the threshold of (merging them), and the stored samples need not be compared to
// each other again. Each genet is represented by the distinct genotypes of its ramets (a ramet
// identical to one of them has the same distances to everyone), which makes the comparison cost
// the genets' distinct genotypes, not their ramets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/core/work_settings.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_models.hpp"

namespace kelvane {

// The stored genets' distinct genotypes: the genotypes as individuals (the registry's loci and
// ploidy), the genet number of each.
struct StoredGenotypes {
    MarkerData genotypes;
    std::vector<int64_t> genets;
};

enum class PlacementStatus { kNew, kJoined, kMerged };

struct SamplePlacement {
    int64_t genet = 0;  // a stored genet, or a new one numbered from next_genet on
    PlacementStatus status = PlacementStatus::kNew;
    int32_t nearest = -1;  // the stored genotype closest to the sample (the first of equals), or -1
    int32_t distance = 0;  // its distance
};

struct GenetMerge {
    int64_t genet;  // the younger genet
    int64_t into;   // the oldest genet it linked to
};

struct Placements {
    std::vector<SamplePlacement> samples;  // per sample of the batch, in its order
    std::vector<GenetMerge> merges;        // by genet merged into, then genet
    int64_t founded = 0;                   // new genets: next_genet to next_genet + founded - 1
};

// own_distances: whether identical genotypes with missing copies may lie apart (missing copies
// counted as steps or mutations). New genets are numbered in the order of their first sample.
// The model's errors (a distance beyond 32 bits) are FatalErrors.
Placements place_samples(const StoredGenotypes& stored, const MarkerData& batch,
                         const DistanceModel& model, bool own_distances, int32_t threshold,
                         int64_t next_genet, const clonal::WorkSettings& work = {});

// The copies of an individual as text, a locus genotype per locus separated by blanks, its copies
// by "/", 0 for a missing copy: "120/124 130/0". sorted: the copies of each locus genotype in
// increasing order, so that identical genotypes have one text.
std::string genotype_text(const MarkerData& data, int individual, bool sorted);

// The copies of genotype_text for slots copy slots per locus (fewer copies are filled with 0); a
// text of another number of loci, a locus of more copies than slots or a copy that is not a whole
// number from 0 is an error.
std::vector<int32_t> genotype_copies(const std::string& text, int32_t loci, int32_t slots);

}  // namespace kelvane
