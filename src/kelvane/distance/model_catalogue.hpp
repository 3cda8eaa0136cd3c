// The catalogue of distance models: every model by the name the command line and the bindings
// give it, with the missing-data rules and settings it takes, what its distances count, and the
// one check of a model named in words. The command line builds its choices, help and checks from
// it; adding a model is a row here and its own files.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/distance_models.hpp"

namespace kelvane {

struct ModelEntry {
    DistanceKind kind;
    std::string_view name;         // "two-phase"
    std::string_view description;  // what it counts, for the help of the faces
    std::string_view unit;         // what a distance counts: "steps"
    // The settings beyond the missing-data rule that the model reads, by the library's names.
    std::vector<std::string_view> settings;
};

struct MissingRule {
    MissingData rule;
    std::string_view name;  // "not-counted"
};

// The models in the order of the dialogue's menu.
std::span<const ModelEntry> distance_models();
const ModelEntry& model_entry(DistanceKind kind);

// Whether the model's real distances are scaled by its multiplier and rounded in the matrix
// (two-phase, mismatch); the real distances of the others are the matrix's whole numbers.
bool scaled_in_matrix(DistanceKind kind);

// The named missing-data rules (a number of steps is the one unnamed rule).
std::span<const MissingRule> missing_rules();

// A model named in words, as the command line and the bindings give it. An empty setting keeps
// the model's default (distance_models.hpp).
struct ModelChoice {
    std::string distance = "stepwise";
    std::string missing = "not-counted";  // a rule's name, or a whole number of steps, 0 or more
    std::string multiplier;               // two-phase: 1 or more
    std::string base;                     // two-phase: 1 or more
    std::string absence_code;             // dice: an integer
    // stepwise, squared, two-phase: "auto", a list "2,2,4" in locus order or a file of
    // "locus<TAB>length" lines (repeat_units.hpp); empty: codes as they are
    std::string repeat_lengths;
    std::string repeat_rounding;    // with repeat_lengths: relative (the default) or absolute
    std::string partial_genotypes;  // two-phase: infinite, addition, loss or combination
    std::string min_shared_loci;    // mismatch: a whole number of 1 or more

    bool operator==(const ModelChoice&) const = default;
};

// The model the words name, for the data. A name or a value out of range, a rule or a setting
// the model does not take, and Dice on data that are not presence/absence data are a
// SettingError naming the setting ({distance}, {missing}, {multiplier}, {base},
// {absence_code}, {repeat_lengths}, {repeat_rounding}, {partial_genotypes}, {min_shared_loci});
// two-phase distances on locus genotypes of more copy slots than it matches are a FatalError about
// the data, naming their file.
DistanceModel model_of(const ModelChoice& choice, const MarkerData& data);

// What a distance of the model counts, for the titles of axes: "steps", "1 - Dice similarity,
// x 100".
std::string distance_unit(const DistanceModel& model);

}  // namespace kelvane
