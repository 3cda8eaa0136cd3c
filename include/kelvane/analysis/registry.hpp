// A registry of genets across sampling campaigns: a file that remembers every sample added and
// its genet, gives the samples of a new batch the names of the genets they belong to, and never
// renames a genet. The first batch fixes the loci, the ploidy, the distance model and the
// threshold; every sample then joins, by single linkage at the threshold, the genets of the stored
// samples it lies within the threshold of, or founds a new genet (G1, G2, ... in order of
// founding, never reused). A sample linking two stored genets merges them into the oldest, and
// the younger name is kept as merged into it. So the genets after any sequence of batches are the
// single-linkage genotypes of all their samples together (analysis::clones), whatever the split.
//
// A batch is one transaction: an add refused, failing or killed leaves the file as it was, and
// adds started at once run one after another. The file's tables: registry_store.hpp.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/model_catalogue.hpp"

namespace kelvane::analysis {

struct RegistrySettings {
    // The model of the distances and the threshold (whole, on the model's rounded distances).
    // Nothing takes the registry's; a new registry takes the default model and needs a threshold.
    // Given to a registry made with others, they are an error naming the difference.
    std::optional<ModelChoice> model;
    std::optional<double> threshold;
    // What the batch is called in the registry: the data file, as given.
    std::string source;
};

// A batch placed: a row per sample (individual, population, genet, status: new, joined or
// merged, nearest: the stored sample it is closest to, distance: to it; NA on an empty registry).
struct RegistryBatch {
    clonal::ResultTable table;
    int64_t batch = 0;    // its number in the registry (that of the next add, for a query)
    int64_t founded = 0;  // genets it founds
    int64_t merges = 0;   // genets it merges into older ones
};

// Adds the data as a batch, creating the file when it does not exist. Errors, nothing written: the
// model's and the threshold's (a SettingError naming {threshold} when a new registry has none); a
// model whose distances depend on the whole data set rather than the pair (missing copies as the
// locus average, repeat lengths guessed or rounded relative to the data's smallest allele), a
// SettingError naming the setting; loci, ploidy or settings other than the registry's, and sample
// names the batch repeats or the registry holds, errors naming them. waiting: called when another
// add holds the file, which this one then waits for.
RegistryBatch registry_add(const std::string& file, const MarkerData& data,
                           const RegistrySettings& settings, const clonal::WorkSettings& work = {},
                           const std::function<void()>& waiting = nullptr);

// The rows registry_add would give the data, writing nothing (the file must be a registry).
RegistryBatch registry_query(const std::string& file, const MarkerData& data,
                             const RegistrySettings& settings,
                             const clonal::WorkSettings& work = {});

// individual, population, genet, batch: a row per stored sample in order of addition.
clonal::ResultTable registry_samples(const std::string& file);

// genet, ramets, populations (comma-separated, in order of first addition), first_batch (that
// founded it), last_batch (the last that added a ramet to it), merged_into (NA for a genet that
// stands): a row per genet ever founded, in order of founding.
clonal::ResultTable registry_genets(const std::string& file);

// The Clonal genotype file (marsyl's input) of every stored sample in order of addition, its
// populations in order of first addition, the genets numbered 1, 2, ... in the order of their
// names. Returns a note naming population names changed for marsyl, or an empty text.
std::string registry_export(const std::string& file, std::ostream& out);

}  // namespace kelvane::analysis
