// The registry's tables in an SQLite file.
#include "kelvane/registry/registry_store.hpp"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <sstream>

#include "common/core/fatal_error.hpp"

namespace kelvane {
namespace {

// The file's format, checked by every command that opens it.
constexpr const char* kFormat = "genet registry 1";

constexpr const char* kSchema = R"(
CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE loci (locus INTEGER PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE batches (batch INTEGER PRIMARY KEY, added TEXT NOT NULL, source TEXT NOT NULL,
                      samples INTEGER NOT NULL);
CREATE TABLE genets (genet INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,
                     founded_batch INTEGER NOT NULL REFERENCES batches,
                     last_batch INTEGER NOT NULL REFERENCES batches,
                     merged_into INTEGER REFERENCES genets);
CREATE TABLE samples (sample INTEGER PRIMARY KEY, individual TEXT NOT NULL UNIQUE,
                      population TEXT NOT NULL, genet INTEGER NOT NULL REFERENCES genets,
                      batch INTEGER NOT NULL REFERENCES batches, genotype TEXT NOT NULL);
CREATE INDEX samples_by_genet ON samples (genet);
CREATE TABLE genotypes (genotype INTEGER PRIMARY KEY, genet INTEGER NOT NULL REFERENCES genets,
                        copies TEXT NOT NULL, sample INTEGER NOT NULL REFERENCES samples,
                        UNIQUE (genet, copies));
CREATE TABLE merges (batch INTEGER NOT NULL REFERENCES batches,
                     genet INTEGER PRIMARY KEY REFERENCES genets,
                     into_genet INTEGER NOT NULL REFERENCES genets);
)";

std::string number_text(double value) {
    std::ostringstream text;
    text.precision(17);
    text << value;
    return text.str();
}

std::string utc_now() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

}  // namespace

const std::vector<ModelSetting>& model_settings() {
    static const std::vector<ModelSetting> settings = {
        {"distance", &ModelChoice::distance},
        {"missing", &ModelChoice::missing},
        {"multiplier", &ModelChoice::multiplier},
        {"base", &ModelChoice::base},
        {"absence_code", &ModelChoice::absence_code},
        {"repeat_lengths", &ModelChoice::repeat_lengths},
        {"repeat_rounding", &ModelChoice::repeat_rounding},
        {"partial_genotypes", &ModelChoice::partial_genotypes},
        {"min_shared_loci", &ModelChoice::min_shared_loci},
    };
    return settings;
}

std::string genet_name(int64_t genet) {
    char name[24];
    std::snprintf(name, sizeof name, "G%lld", static_cast<long long>(genet));
    return name;
}

RegistryStore::RegistryStore(const std::string& file, bool writes, std::function<void()> waiting)
    : database_(file, writes ? SqliteDatabase::Open::kWriteOrCreate : SqliteDatabase::Open::kRead,
                std::move(waiting)) {
    transaction_.emplace(database_, writes);
    const bool settings =
        database_
            .integer_of(
                "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'settings'")
            .value_or(0) > 0;
    // A new file, or an empty one, becomes a registry; a database of other tables is left alone.
    fresh_ = database_.integer_of("SELECT count(*) FROM sqlite_master").value_or(0) == 0;
    if (!settings && (!fresh_ || !writes)) {
        throw clonal::FatalError("is not a registry: it holds none of the registry's tables",
                                 clonal::ErrorKind::kFile)
            .in_file(file);
    }
    if (settings) {
        SqliteStatement format(database_, "SELECT value FROM settings WHERE name = 'format'");
        if (!format.step() || format.text(0) != kFormat) {
            throw clonal::FatalError("is not a registry of this version (its format is not \"" +
                                         std::string(kFormat) + "\")",
                                     clonal::ErrorKind::kFile)
                .in_file(file);
        }
    }
}

void RegistryStore::create(const RegistryFixed& fixed) {
    database_.execute(kSchema);
    SqliteStatement setting(database_, "INSERT INTO settings (name, value) VALUES (?, ?)");
    setting.bind(1, std::string("format")).bind(2, std::string(kFormat)).run();
    for (const ModelSetting& entry : model_settings()) {
        setting.bind(1, std::string(entry.name)).bind(2, fixed.model.*entry.member).run();
    }
    setting.bind(1, std::string("threshold")).bind(2, number_text(fixed.threshold)).run();
    setting.bind(1, std::string("ploidy")).bind(2, std::to_string(fixed.ploidy)).run();
    SqliteStatement locus(database_, "INSERT INTO loci (locus, name) VALUES (?, ?)");
    for (std::size_t k = 0; k < fixed.loci.size(); ++k) {
        locus.bind(1, static_cast<int64_t>(k + 1)).bind(2, fixed.loci[k]).run();
    }
    fresh_ = false;
}

RegistryFixed RegistryStore::fixed() {
    std::map<std::string, std::string> values;
    SqliteStatement settings(database_, "SELECT name, value FROM settings");
    while (settings.step()) {
        values[settings.text(0)] = settings.text(1);
    }
    RegistryFixed fixed;
    for (const ModelSetting& entry : model_settings()) {
        fixed.model.*entry.member = values[entry.name];
    }
    try {
        fixed.threshold = std::stod(values["threshold"]);
        fixed.ploidy = std::stoi(values["ploidy"]);
    } catch (const std::exception&) {
        throw clonal::FatalError("the registry's settings lack its threshold or ploidy",
                                 clonal::ErrorKind::kFile)
            .in_file(file());
    }
    SqliteStatement loci(database_, "SELECT name FROM loci ORDER BY locus");
    while (loci.step()) {
        fixed.loci.push_back(loci.text(0));
    }
    return fixed;
}

std::vector<std::string> RegistryStore::held(const std::vector<std::string>& names) {
    std::vector<std::string> found;
    SqliteStatement lookup(database_, "SELECT 1 FROM samples WHERE individual = ?");
    for (const std::string& name : names) {
        lookup.bind(1, name);
        if (lookup.step()) {
            found.push_back(name);
        }
        lookup.reset();
    }
    return found;
}

StoredGenotypes RegistryStore::genotypes(int32_t loci, int32_t ploidy, int32_t slots) {
    std::vector<std::vector<int32_t>> copies;
    StoredGenotypes stored;
    SqliteStatement query(database_,
                          "SELECT g.genet, g.copies, s.individual FROM genotypes g "
                          "JOIN samples s ON s.sample = g.sample ORDER BY g.genotype");
    int32_t most = 0;  // the most copies of a stored locus genotype
    while (query.step()) {
        stored.genets.push_back(query.integer(0));
        copies.push_back(genotype_copies(query.text(1), loci, ploidy));
        stored.genotypes.ind_names.push_back(query.text(2));
        const std::vector<int32_t>& genotype = copies.back();
        for (int32_t locus = 0; locus < loci; ++locus) {
            const auto from = genotype.begin() + static_cast<std::ptrdiff_t>(locus) * ploidy;
            most = std::max(most, static_cast<int32_t>(std::count_if(
                                      from, from + ploidy, [](int32_t c) { return c != 0; })));
        }
    }
    // As the reader lays copies out: twice the most copies keeps every distance (marker_data.hpp).
    const int32_t kept = std::min(ploidy, std::max(slots, 2 * most));
    MarkerData& data = stored.genotypes;
    data.n_individuals = static_cast<int32_t>(copies.size());
    data.n_populations = 1;
    data.n_loci = loci;
    data.max_ploidy = ploidy;
    data.slot_limit = kept < ploidy ? kept : 0;
    data.pop_vector.assign(copies.size(), 1);
    std::vector<int32_t> values;
    values.reserve(data.copy_count());
    for (int32_t locus = 0; locus < loci; ++locus) {
        for (const std::vector<int32_t>& genotype : copies) {
            const auto from = genotype.begin() + static_cast<std::ptrdiff_t>(locus) * ploidy;
            values.insert(values.end(), from, from + kept);
        }
    }
    data.copies.assign_values(values);
    return stored;
}

int64_t RegistryStore::next_genet() {
    return database_.integer_of("SELECT max(genet) FROM genets").value_or(0) + 1;
}

int64_t RegistryStore::next_batch() {
    return database_.integer_of("SELECT max(batch) FROM batches").value_or(0) + 1;
}

void RegistryStore::add(const NewBatch& batch) {
    const int64_t number = next_batch();
    const int64_t first_genet = next_genet();
    const Placements& placements = batch.placements;
    SqliteStatement(database_,
                    "INSERT INTO batches (batch, added, source, samples) VALUES (?, ?, ?, ?)")
        .bind(1, number)
        .bind(2, utc_now())
        .bind(3, batch.source)
        .bind(4, static_cast<int64_t>(batch.data.n_individuals))
        .run();
    SqliteStatement genet(database_,
                          "INSERT INTO genets (genet, name, founded_batch, last_batch) "
                          "VALUES (?, ?, ?, ?)");
    for (int64_t g = first_genet; g < first_genet + placements.founded; ++g) {
        genet.bind(1, g).bind(2, genet_name(g)).bind(3, number).bind(4, number).run();
    }
    SqliteStatement merge(database_,
                          "INSERT INTO merges (batch, genet, into_genet) VALUES (?, ?, ?)");
    SqliteStatement merged(database_, "UPDATE genets SET merged_into = ? WHERE genet = ?");
    SqliteStatement ramets(database_, "UPDATE samples SET genet = ? WHERE genet = ?");
    SqliteStatement moved(database_, "UPDATE OR IGNORE genotypes SET genet = ? WHERE genet = ?");
    SqliteStatement left(database_, "DELETE FROM genotypes WHERE genet = ?");
    for (const GenetMerge& m : placements.merges) {
        merge.bind(1, number).bind(2, m.genet).bind(3, m.into).run();
        merged.bind(1, m.into).bind(2, m.genet).run();
        ramets.bind(1, m.into).bind(2, m.genet).run();
        moved.bind(1, m.into).bind(2, m.genet).run();
        left.bind(1, m.genet).run();
    }
    SqliteStatement sample(database_,
                           "INSERT INTO samples (individual, population, genet, batch, genotype) "
                           "VALUES (?, ?, ?, ?, ?)");
    SqliteStatement genotype(database_,
                             "INSERT OR IGNORE INTO genotypes (genet, copies, sample) "
                             "VALUES (?, ?, ?)");
    std::vector<int64_t> touched;
    const MarkerData& data = batch.data;
    for (int i = 0; i < data.n_individuals; ++i) {
        const int64_t g = placements.samples[static_cast<std::size_t>(i)].genet;
        sample.bind(1, data.ind_names[static_cast<std::size_t>(i)])
            .bind(2, data.population_name(data.pop_vector[static_cast<std::size_t>(i)]))
            .bind(3, g)
            .bind(4, number)
            .bind(5, genotype_text(data, i, false))
            .run();
        genotype.bind(1, g)
            .bind(2, genotype_text(data, i, true))
            .bind(3, static_cast<int64_t>(sqlite3_last_insert_rowid(database_.handle())))
            .run();
        touched.push_back(g);
    }
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    SqliteStatement last(database_, "UPDATE genets SET last_batch = ? WHERE genet = ?");
    for (const int64_t g : touched) {
        last.bind(1, number).bind(2, g).run();
    }
}

void RegistryStore::commit() {
    transaction_->commit();
    transaction_.reset();
}

std::vector<StoredSample> RegistryStore::samples() {
    std::vector<StoredSample> rows;
    SqliteStatement query(
        database_, "SELECT individual, population, genet, batch FROM samples ORDER BY sample");
    while (query.step()) {
        rows.push_back({query.text(0), query.text(1), query.integer(2), query.integer(3)});
    }
    return rows;
}

std::vector<StoredGenet> RegistryStore::genets() {
    std::vector<StoredGenet> rows;
    std::map<int64_t, std::size_t> row_of;
    SqliteStatement query(database_,
                          "SELECT genet, founded_batch, last_batch, merged_into FROM genets "
                          "ORDER BY genet");
    while (query.step()) {
        StoredGenet genet;
        genet.genet = query.integer(0);
        genet.first_batch = query.integer(1);
        genet.last_batch = query.integer(2);
        if (!query.null(3)) {
            genet.merged_into = query.integer(3);
        }
        row_of[genet.genet] = rows.size();
        rows.push_back(genet);
    }
    for (const StoredSample& sample : samples()) {
        StoredGenet& genet = rows[row_of.at(sample.genet)];
        ++genet.ramets;
        if (std::find(genet.populations.begin(), genet.populations.end(), sample.population) ==
            genet.populations.end()) {
            genet.populations.push_back(sample.population);
        }
    }
    return rows;
}

}  // namespace kelvane
