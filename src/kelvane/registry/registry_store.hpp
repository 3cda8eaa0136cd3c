// The registry file: an SQLite database that a laboratory can open with any SQLite client. Its
// tables (a genet by its number, its name "G" and the number):
//   settings   name, value: what the first batch fixed (the distance model's settings by their
//              names, threshold, ploidy) and the file's format
//   loci       locus (from 1, in order), name
//   batches    batch (from 1), added (UTC time), source (the data file), samples
//   genets     genet, name, founded_batch, last_batch (the last batch that added a ramet or a
//              merge to it), merged_into (the genet it merged into, or NULL)
//   samples    sample (from 1, in order of addition), individual (unique), population, genet (the
//              genet it belongs to now), batch, genotype (its copies as read, genotype_text)
//   genotypes  genotype, genet, copies (sorted, missing copies left out), sample (the first sample
//              of the genet holding them): the distinct genotypes of every genet's ramets, against
//              which new samples are compared
//   merges     batch, genet (the younger genet), into_genet (the oldest it linked to)
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "kelvane/data/marker_data.hpp"
#include "kelvane/distance/model_catalogue.hpp"
#include "kelvane/registry/registry_placement.hpp"
#include "kelvane/registry/sqlite_database.hpp"

namespace kelvane {

// What the first batch fixes for every later one.
struct RegistryFixed {
    ModelChoice model;
    double threshold = 0;
    int32_t ploidy = 0;
    std::vector<std::string> loci;
};

// The settings of the model by the library's names, each with its member.
struct ModelSetting {
    const char* name;
    std::string ModelChoice::*member;
};
const std::vector<ModelSetting>& model_settings();

struct StoredSample {
    std::string individual;
    std::string population;
    int64_t genet = 0;
    int64_t batch = 0;
};

// A genet's row: its ramets now, their populations in order of first addition.
struct StoredGenet {
    int64_t genet = 0;
    int64_t ramets = 0;
    std::vector<std::string> populations;
    int64_t first_batch = 0;
    int64_t last_batch = 0;
    std::optional<int64_t> merged_into;
};

// A batch to write: its data, where each sample went and which genets merged.
struct NewBatch {
    const MarkerData& data;
    const Placements& placements;
    std::string source;
};

class RegistryStore {
  public:
    // Opens the registry to read (it must exist and be a registry), or to add a batch: then the
    // file is created when missing and its write lock taken at once; waiting is called when
    // another add holds it.
    RegistryStore(const std::string& file, bool writes, std::function<void()> waiting = nullptr);

    // Whether the file holds no registry yet (a new or empty file opened to write).
    bool fresh() const { return fresh_; }
    // Makes the tables and stores what the first batch fixes.
    void create(const RegistryFixed& fixed);
    RegistryFixed fixed();

    // The names given that the registry holds.
    std::vector<std::string> held(const std::vector<std::string>& names);
    // The distinct genotypes of the genets at slots copy slots (at least; more when some stored
    // genotype holds more copies), named by the sample holding them.
    StoredGenotypes genotypes(int32_t loci, int32_t ploidy, int32_t slots);
    int64_t next_genet();
    int64_t next_batch();
    // Writes the batch; nothing is kept until commit.
    void add(const NewBatch& batch);
    void commit();

    std::vector<StoredSample> samples();
    std::vector<StoredGenet> genets();

    const std::string& file() const { return database_.file(); }

  private:
    SqliteDatabase database_;
    std::optional<SqliteDatabase::Transaction> transaction_;
    bool fresh_ = false;
};

// "G" and the number.
std::string genet_name(int64_t genet);

}  // namespace kelvane
