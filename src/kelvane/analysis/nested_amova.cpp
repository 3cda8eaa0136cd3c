// The AMOVA of a sampling design and the pairwise Phi-st of its lowest groups.
#include "kelvane/analysis/nested_amova.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <optional>

#include "common/core/file_io.hpp"
#include "common/core/setting_ranges.hpp"
#include "common/text/adjusted_p_columns.hpp"
#include "common/text/tsv_writer.hpp"
#include "kelvane/amova/hierarchy.hpp"
#include "kelvane/amova/nested_design.hpp"
#include "kelvane/data/copies_as_individuals.hpp"
#include "kelvane/data/formats/format_catalogue.hpp"
#include "kelvane/evidence/genotype_identity.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"

namespace kelvane::analysis {
namespace {

clonal::FatalError data_error(const MarkerData& data, const std::string& sentence) {
    return clonal::FatalError(sentence).in_file(data.file);
}

// Keeps the first member of every genotype within each group of the lowest level.
void clone_correct(Hierarchy& hierarchy, const MarkerData& data, const DistanceMatrix& matrix,
                   const AmovaDesign& design) {
    const std::vector<int32_t> genotypes =
        design.clone_threshold ? genotypes_at_threshold(matrix, *design.clone_threshold).numbers
                               : GenotypeIdentity(data).multilocus_genotypes().class_of;
    std::map<std::vector<int32_t>, bool> seen;
    Hierarchy kept = hierarchy;
    kept.members.clear();
    for (std::vector<int32_t>& labels : kept.labels) {
        labels.clear();
    }
    for (std::size_t m = 0; m < hierarchy.members.size(); ++m) {
        std::vector<int32_t> key;
        for (const std::vector<int32_t>& labels : hierarchy.labels) {
            key.push_back(labels[m]);
        }
        key.push_back(genotypes[static_cast<std::size_t>(hierarchy.members[m])]);
        if (!seen.emplace(std::move(key), true).second) {
            continue;
        }
        kept.members.push_back(hierarchy.members[m]);
        for (std::size_t l = 0; l < hierarchy.labels.size(); ++l) {
            kept.labels[l].push_back(hierarchy.labels[l][m]);
        }
    }
    hierarchy = std::move(kept);
}

// The design's hierarchy, clone-corrected when it says so; before: the members until then.
Hierarchy design_hierarchy(const MarkerData& data, const DistanceMatrix& matrix,
                           const AmovaDesign& design, int64_t* before = nullptr) {
    Hierarchy hierarchy =
        resolve_hierarchy(data, {design.hierarchy, design.strata, design.populations_within});
    if (before != nullptr) {
        *before = static_cast<int64_t>(hierarchy.members.size());
    }
    if (design.clone_correct) {
        clone_correct(hierarchy, data, matrix, design);
    }
    return hierarchy;
}

// The simple AMOVA of a single level, the data's populations keeping their numbers.
AmovaResult one_level(const MarkerData& data, const DistanceMatrix& matrix,
                      const Hierarchy& hierarchy, int64_t permutations, clonal::Random& random,
                      const clonal::WorkSettings& work) {
    std::vector<int32_t> groups(static_cast<std::size_t>(data.n_individuals), 0);
    int32_t count = static_cast<int32_t>(hierarchy.names[0].size());
    if (hierarchy.populations[0]) {
        count = data.n_populations;
    }
    for (std::size_t m = 0; m < hierarchy.members.size(); ++m) {
        const auto i = static_cast<std::size_t>(hierarchy.members[m]);
        groups[i] = hierarchy.populations[0] ? data.pop_vector[i] : hierarchy.labels[0][m] + 1;
    }
    const Amova analysis(matrix, groups, count);
    if (analysis.refusal()) {
        throw data_error(data, refusal_clause(*analysis.refusal()));
    }
    AmovaResult result;
    result.table = analysis.table();
    result.test = analysis.test(permutations, random, work);
    return result;
}

// The units of the nested analysis and their distances: the members, or each member's copies.
struct Units {
    std::vector<std::vector<int32_t>> labels;  // [level][unit]
    std::vector<int> rows;                     // each unit's row of the matrix
    std::optional<DistanceMatrix> copies;      // the matrix of the copies, with within
};

Units nested_units(const MarkerData& data, const DistanceInput& distances,
                   const Hierarchy& hierarchy, bool within, const clonal::WorkSettings& work) {
    Units units;
    if (!within) {
        units.labels = hierarchy.labels;
        units.rows = hierarchy.members;
        return units;
    }
    if (distances.matrix) {
        throw clonal::FatalError(
            "{setting} needs the distances between single allele copies, "
            "which an imported matrix does not give",
            clonal::ErrorKind::kSetting, "within");
    }
    const int slots = data.slots();
    if (slots < 2) {
        throw data_error(data,
                         "the level within individuals needs two or more allele copies "
                         "per locus; the data hold one");
    }
    const MarkerData copies = copies_as_individuals(data, hierarchy.members);
    units.copies = distance_matrix(copies, distances, work);
    units.labels.resize(hierarchy.labels.size() + 1);
    for (std::size_t m = 0; m < hierarchy.members.size(); ++m) {
        for (int c = 0; c < slots; ++c) {
            for (std::size_t l = 0; l < hierarchy.labels.size(); ++l) {
                units.labels[l].push_back(hierarchy.labels[l][m]);
            }
            units.labels.back().push_back(static_cast<int32_t>(m));
            units.rows.push_back(static_cast<int>(units.rows.size()));
        }
    }
    return units;
}

}  // namespace

Strata strata_file(const std::string& file, const MarkerData& data) {
    const std::string content = clonal::read_input_file(file);
    try {
        return read_strata(content, data.ind_names);
    } catch (clonal::FatalError& error) {
        throw error.in_file(file);
    }
}

std::optional<Strata> sheet_regions(const DataInput& input) {
    const DataFormat format = input.format ? *input.format : format_of_file_name(input.file);
    if (format != DataFormat::kGenalex) {
        return std::nullopt;
    }
    const std::string content = clonal::read_input_file(input.file);
    try {
        return genalex_regions(content);
    } catch (clonal::FatalError& error) {
        throw error.in_file(input.file);
    }
}

NestedAmovaResult nested_amova(const MarkerData& data, const DistanceMatrix& matrix,
                               const DistanceInput& distances, const NestedAmovaSettings& settings,
                               clonal::Random& random, const clonal::WorkSettings& work) {
    clonal::check_setting("permutations", static_cast<double>(settings.permutations));
    const AmovaDesign& design = settings.design;
    NestedAmovaResult result;
    const Hierarchy hierarchy =
        design_hierarchy(data, matrix, design, &result.individuals_before_correction);
    result.individuals = static_cast<int64_t>(hierarchy.members.size());
    result.levels = hierarchy.levels;
    if (hierarchy.levels.size() == 1 && !design.within &&
        design.euclidean == EuclideanReading::kSqrt) {
        result.one_level = one_level(data, matrix, hierarchy, settings.permutations, random, work);
        return result;
    }
    if (design.within) {
        result.levels.emplace_back("individuals");
    }
    Units units = nested_units(data, distances, hierarchy, design.within, work);
    const NestedDesign nested = nested_design(units.labels);
    if (nested.levels.back().sizes.size() == static_cast<std::size_t>(nested.unit_count())) {
        throw data_error(data, "every group of the level '" + result.levels.back() +
                                   "' holds one individual: no variation within them");
    }
    std::vector<int> rows;
    for (const int unit : nested.units) {
        rows.push_back(units.rows[static_cast<std::size_t>(unit)]);
    }
    const DistanceMatrix& distances_of_units = units.copies ? *units.copies : matrix;
    const auto analyse = [&](const auto& pairs) {
        const NestedObserved observed = observed_nested_amova(pairs, nested);
        result.table = observed.table;
        result.test = nested_permutation_test(pairs, nested, observed, settings.permutations,
                                              random, work.threads, work.progress);
    };
    if (design.euclidean == EuclideanReading::kSqrt) {
        analyse(SamplePairs(distances_of_units, rows));
        return result;
    }
    EuclideanValues values = euclidean_values(distances_of_units, rows, design.euclidean);
    result.corrected = values.corrected;
    result.constant = values.constant;
    analyse(RealPairs(std::move(values.cells), static_cast<int>(rows.size())));
    return result;
}

clonal::ResultTable nested_amova_table(const NestedAmovaResult& result) {
    if (result.one_level) {
        return amova_result_table(*result.one_level);
    }
    const NestedTable& table = result.table;
    const int depth = table.depth();
    clonal::ResultTable out;
    out.header({"source", "df", "ss", "variance", "percent", "phi", "p"});
    for (int row = 0; row <= depth + 1; ++row) {
        const auto r = static_cast<std::size_t>(row);
        std::string source;
        if (row == 0) {
            source = "among " + result.levels[0];
        } else if (row < depth) {
            source = "among " + result.levels[r] + " within " + result.levels[r - 1];
        } else if (row == depth) {
            source = "within " + result.levels[r - 1];
        } else {
            source = "total";
        }
        out.text(source)
            .integer(table.df[r])
            .real(table.ss[r])
            .real(table.sigma2[r])
            .real(table.percent[r]);
        if (row > depth) {
            out.missing().missing();
        } else {
            out.real(table.phi[r]);
            // A component without a value (a level whose groups hold one unit each) has no test.
            if (result.test.permutations > 0 && !std::isnan(table.phi[r])) {
                out.real(result.test.p(row));
            } else {
                out.missing();
            }
        }
        out.end_row();
    }
    return out;
}

std::vector<PairwisePhi> pairwise_phi(const MarkerData& data, const DistanceMatrix& matrix,
                                      const PairwisePhiSettings& settings, clonal::Random& random,
                                      const clonal::WorkSettings& work) {
    clonal::check_setting("permutations", static_cast<double>(settings.permutations));
    const Hierarchy hierarchy = design_hierarchy(data, matrix, settings.design);
    const NestedDesign nested = nested_design(hierarchy.labels);
    const std::vector<std::string> names = lowest_group_names(hierarchy, nested);
    const NestedLevel& lowest = nested.levels.back();
    // The members of every group in input order.
    std::vector<std::vector<int>> members(lowest.sizes.size());
    for (std::size_t place = 0; place < nested.units.size(); ++place) {
        members[static_cast<std::size_t>(lowest.group_of[place])].push_back(
            hierarchy.members[static_cast<std::size_t>(nested.units[place])]);
    }
    std::vector<PairwisePhi> results;
    for (std::size_t a = 0; a < members.size(); ++a) {
        for (std::size_t b = a + 1; b < members.size(); ++b) {
            AmovaSample sample;
            std::merge(members[a].begin(), members[a].end(), members[b].begin(), members[b].end(),
                       std::back_inserter(sample.members));
            for (const int i : sample.members) {
                sample.groups.push_back(
                    std::binary_search(members[a].begin(), members[a].end(), i) ? 0 : 1);
            }
            sample.group_sizes = {static_cast<int32_t>(members[a].size()),
                                  static_cast<int32_t>(members[b].size())};
            const SamplePairs pairs(matrix, sample.members);
            PairwisePhi pair;
            pair.population_a = names[a];
            pair.population_b = names[b];
            pair.phi_st = observed_amova(pairs, sample).phi_st;
            pair.p = NAN;
            if (settings.permutations > 0) {
                // Drawn even for a Phi-st without a value, so that the pairs after it keep theirs.
                const double p = amova_permutation_test(pairs, sample, pair.phi_st,
                                                        settings.permutations, random, work.threads)
                                     .p_greater();
                pair.p = std::isnan(pair.phi_st) ? NAN : p;
            }
            results.push_back(std::move(pair));
        }
    }
    return results;
}

clonal::ResultTable pairwise_phi_table(const std::vector<PairwisePhi>& pairs,
                                       clonal::PAdjustment adjustment) {
    clonal::ResultTable table;
    table.header({"population_a", "population_b", "phi_st", "p"});
    for (const PairwisePhi& pair : pairs) {
        table.text(pair.population_a).text(pair.population_b).real(pair.phi_st);
        if (std::isnan(pair.p)) {
            table.missing();
        } else {
            table.real(pair.p);
        }
        table.end_row();
    }
    return clonal::with_adjusted_p(table, {"p"}, adjustment);
}

std::vector<std::string> amova_distance_notes(const DistanceInput& distances) {
    if (distances.matrix) {
        return {"the AMOVA takes the imported distances as squared Euclidean distances"};
    }
    if (distances.model.distance == "squared") {
        return {};
    }
    return {"the AMOVA assumes squared Euclidean distances, as the squared model gives; these are " +
            distances.model.distance + " distances, which are not squared"};
}

std::vector<std::string> reading_notes(const DistanceInput& distances, EuclideanReading reading,
                                       bool corrected, double constant) {
    switch (reading) {
        case EuclideanReading::kSqrt:
            return amova_distance_notes(distances);
        case EuclideanReading::kNone:
            return {"the AMOVA takes the distances as Euclidean distances and squares them"};
        case EuclideanReading::kCailliez:
        case EuclideanReading::kLingoes:
            break;
    }
    if (!corrected) {
        return {"the square roots of the distances are Euclidean; no correction was needed"};
    }
    const bool cailliez = reading == EuclideanReading::kCailliez;
    return {std::string("the square roots of the distances are not Euclidean; ") +
            (cailliez ? "Cailliez's constant " : "Lingoes' constant ") +
            clonal::shortest_real(constant) +
            (cailliez ? " was added to each (squared: (sqrt(D) + c)^2)"
                      : " was added twice to each distance (D + 2c)")};
}

std::vector<std::string> pairwise_reading_notes(const DistanceInput& distances,
                                                EuclideanReading reading) {
    if (reading == EuclideanReading::kCailliez || reading == EuclideanReading::kLingoes) {
        return {"the distances of each pair of groups are corrected for their own AMOVA where "
                "their square roots are not Euclidean"};
    }
    if (reading == EuclideanReading::kNone) {
        return reading_notes(distances, reading, false, 0.0);
    }
    return {};
}

}  // namespace kelvane::analysis
