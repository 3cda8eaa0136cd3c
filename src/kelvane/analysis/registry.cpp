// The genet registry: batches placed by single linkage against the stored genets.
#include "kelvane/analysis/registry.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <utility>

#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "kelvane/grouping/genotype_files.hpp"
#include "kelvane/grouping/grouping_distances.hpp"
#include "kelvane/registry/registry_placement.hpp"
#include "kelvane/registry/registry_store.hpp"

namespace kelvane::analysis {
namespace {

// A setting's value in words for an error: "its default" when left empty.
std::string shown(const std::string& value) {
    return value.empty() ? "its default" : value;
}

// Distances that depend on the pair alone, so that each batch computes the ones it adds: not
// those that read the whole data set.
void check_pairwise(const ModelChoice& model) {
    if (model.missing == "average") {
        throw clonal::SettingError(
            "{setting} average replaces missing copies by the locus average of the data set, "
            "which changes with every batch; the registry needs distances of the pair alone",
            "missing");
    }
    if (model.repeat_lengths == "auto") {
        throw clonal::SettingError(
            "{setting} auto guesses the repeat lengths from the data set, which changes with "
            "every batch; give the lengths as a list or a file",
            "repeat_lengths");
    }
    if (!model.repeat_lengths.empty() && model.repeat_rounding != "absolute") {
        throw clonal::SettingError(
            "repeat lengths rounded relative to the smallest allele of each locus change with "
            "the data set; the registry needs {setting} absolute",
            "repeat_rounding");
    }
}

void check_names(const MarkerData& data) {
    std::set<std::string> seen;
    for (const std::string& name : data.ind_names) {
        if (!seen.insert(name).second) {
            throw clonal::FatalError("the data name the individual \"" + name +
                                     "\" twice; a registry tells samples by their names")
                .in_file(data.file);
        }
    }
}

// The first names of a list and how many more.
std::string listed(const std::vector<std::string>& names) {
    constexpr std::size_t kShown = 5;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kShown; ++i) {
        text.append(i == 0 ? "" : ", ").append(names[i]);
    }
    if (names.size() > kShown) {
        text.append(" and ").append(std::to_string(names.size() - kShown)).append(" more");
    }
    return text;
}

// The batch's loci, ploidy and settings against those the registry fixed.
void check_fixed(const RegistryFixed& fixed, const MarkerData& data,
                 const RegistrySettings& settings) {
    if (data.locus_names != fixed.loci) {
        std::string difference;
        if (data.locus_names.size() != fixed.loci.size()) {
            difference = std::to_string(data.locus_names.size()) + " loci here, " +
                         std::to_string(fixed.loci.size()) + " in the registry";
        } else {
            const auto k = static_cast<std::size_t>(
                std::mismatch(data.locus_names.begin(), data.locus_names.end(), fixed.loci.begin())
                    .first -
                data.locus_names.begin());
            difference = "locus " + std::to_string(k + 1) + " is " + data.locus_names[k] +
                         " here, " + fixed.loci[k] + " in the registry";
        }
        throw clonal::FatalError("the data's loci are not the registry's: " + difference)
            .in_file(data.file);
    }
    if (data.max_ploidy != fixed.ploidy) {
        throw clonal::FatalError("the data's ploidy is " + std::to_string(data.max_ploidy) +
                                 ", the registry's " + std::to_string(fixed.ploidy))
            .in_file(data.file);
    }
    if (settings.model) {
        for (const ModelSetting& entry : model_settings()) {
            const std::string& given = (*settings.model).*entry.member;
            const std::string& held = fixed.model.*entry.member;
            if (given != held) {
                throw clonal::SettingError("the registry computes its distances with {setting} " +
                                               shown(held) + ", not " + shown(given),
                                           entry.name);
            }
        }
    }
    if (settings.threshold && *settings.threshold != fixed.threshold) {
        throw clonal::SettingError(
            "the registry's {setting} is " + std::to_string(static_cast<int64_t>(fixed.threshold)) +
                ", not " + std::to_string(static_cast<int64_t>(*settings.threshold)),
            "threshold");
    }
}

const char* status_word(PlacementStatus status) {
    switch (status) {
        case PlacementStatus::kNew:
            return "new";
        case PlacementStatus::kJoined:
            return "joined";
        case PlacementStatus::kMerged:
            return "merged";
    }
    return "";
}

// A batch placed against the open registry, its rows and where each sample goes; the store is
// left open for the caller to write.
struct Placed {
    RegistryBatch batch;
    Placements placements;
};

Placed place(RegistryStore& store, const MarkerData& data, const RegistrySettings& settings,
             const clonal::WorkSettings& work) {
    RegistryFixed fixed;
    if (store.fresh()) {
        fixed = {settings.model.value_or(ModelChoice{}), *settings.threshold, data.max_ploidy,
                 data.locus_names};
        store.create(fixed);
    } else {
        fixed = store.fixed();
        check_fixed(fixed, data, settings);
        if (const std::vector<std::string> held = store.held(data.ind_names); !held.empty()) {
            throw clonal::FatalError("the registry holds samples of these names already: " +
                                     listed(held))
                .in_file(data.file);
        }
    }
    const DistanceModel model = model_of(fixed.model, data);
    StoredGenotypes stored = store.genotypes(data.n_loci, fixed.ploidy, data.slots());
    const bool own_distances =
        fixed.model.missing != "not-counted" && fixed.model.missing != "one-mutation";
    Placed placed;
    RegistryBatch& batch = placed.batch;
    batch.batch = store.next_batch();
    placed.placements = place_samples(stored, data, model, own_distances,
                                      whole_threshold(fixed.threshold), store.next_genet(), work);
    const Placements& placements = placed.placements;
    batch.founded = placements.founded;
    batch.merges = static_cast<int64_t>(placements.merges.size());
    clonal::ResultTable& table = batch.table;
    table.header({"individual", "population", "genet", "status", "nearest", "distance"});
    for (int i = 0; i < data.n_individuals; ++i) {
        const SamplePlacement& sample = placements.samples[static_cast<std::size_t>(i)];
        table.text(data.ind_names[static_cast<std::size_t>(i)])
            .text(data.population_name(data.pop_vector[static_cast<std::size_t>(i)]))
            .text(genet_name(sample.genet))
            .text(status_word(sample.status));
        if (sample.nearest < 0) {
            table.missing().missing();
        } else {
            table.text(stored.genotypes.ind_names[static_cast<std::size_t>(sample.nearest)])
                .integer(sample.distance);
        }
        table.end_row();
    }
    return placed;
}

// What can be checked on the batch alone, before the file is opened.
void check_batch(const std::string& file, const MarkerData& data,
                 const RegistrySettings& settings) {
    check_names(data);
    if (settings.model) {
        check_pairwise(*settings.model);
        model_of(*settings.model, data);
    }
    if (settings.threshold) {
        clonal::check_setting("threshold", *settings.threshold);
        if (*settings.threshold != std::floor(*settings.threshold)) {
            throw clonal::SettingError(
                "{setting} takes a whole number: the registry works on the rounded distances",
                "threshold");
        }
    } else if (!std::filesystem::exists(file)) {
        throw clonal::SettingError("a new registry needs its {setting}", "threshold");
    }
}

}  // namespace

RegistryBatch registry_add(const std::string& file, const MarkerData& data,
                           const RegistrySettings& settings, const clonal::WorkSettings& work,
                           const std::function<void()>& waiting) {
    check_batch(file, data, settings);
    RegistryStore store(file, true, waiting);
    if (store.fresh() && !settings.threshold) {
        throw clonal::SettingError("a new registry needs its {setting}", "threshold");
    }
    Placed placed = place(store, data, settings, work);
    store.add({data, placed.placements, settings.source});
    store.commit();
    return std::move(placed.batch);
}

RegistryBatch registry_query(const std::string& file, const MarkerData& data,
                             const RegistrySettings& settings, const clonal::WorkSettings& work) {
    check_names(data);
    RegistryStore store(file, false);
    return place(store, data, settings, work).batch;
}

clonal::ResultTable registry_samples(const std::string& file) {
    RegistryStore store(file, false);
    clonal::ResultTable table;
    table.header({"individual", "population", "genet", "batch"});
    for (const StoredSample& sample : store.samples()) {
        table.text(sample.individual)
            .text(sample.population)
            .text(genet_name(sample.genet))
            .integer(sample.batch);
        table.end_row();
    }
    return table;
}

clonal::ResultTable registry_genets(const std::string& file) {
    RegistryStore store(file, false);
    clonal::ResultTable table;
    table.header({"genet", "ramets", "populations", "first_batch", "last_batch", "merged_into"});
    for (const StoredGenet& genet : store.genets()) {
        table.text(genet_name(genet.genet)).integer(genet.ramets);
        if (genet.populations.empty()) {
            table.missing();
        } else {
            std::string populations;
            for (const std::string& p : genet.populations) {
                populations.append(populations.empty() ? "" : ",").append(p);
            }
            table.text(populations);
        }
        table.integer(genet.first_batch).integer(genet.last_batch);
        if (genet.merged_into) {
            table.text(genet_name(*genet.merged_into));
        } else {
            table.missing();
        }
        table.end_row();
    }
    return table;
}

std::string registry_export(const std::string& file, std::ostream& out) {
    RegistryStore store(file, false);
    const std::vector<StoredSample> samples = store.samples();
    MarkerData data;
    data.title = "Genet registry " + std::filesystem::path(file).filename().string() + "\n";
    Genotypes genotypes;
    std::vector<int64_t> names;  // the genets standing, ascending
    for (const StoredSample& sample : samples) {
        names.push_back(sample.genet);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const StoredSample& sample : samples) {
        auto at = std::find(data.pop_names.begin(), data.pop_names.end(), sample.population);
        if (at == data.pop_names.end()) {
            data.pop_names.push_back(sample.population);
            at = data.pop_names.end() - 1;
        }
        data.pop_vector.push_back(static_cast<int32_t>(at - data.pop_names.begin()) + 1);
        data.ind_names.push_back(sample.individual);
        genotypes.numbers.push_back(static_cast<int32_t>(
            std::lower_bound(names.begin(), names.end(), sample.genet) - names.begin() + 1));
    }
    data.n_individuals = static_cast<int32_t>(samples.size());
    data.n_populations = static_cast<int32_t>(data.pop_names.size());
    genotypes.count = static_cast<int32_t>(names.size());
    return write_clonal_genotype_file_for_marsyl(data, genotypes, out);
}

}  // namespace kelvane::analysis
