// The spatial analyses of genets.
#include "kelvane/analysis/spatial.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <numeric>

#include "common/core/fatal_error.hpp"
#include "common/core/file_io.hpp"
#include "common/core/setting_ranges.hpp"
#include "common/text/printf.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/data/formats/format_catalogue.hpp"
#include "kelvane/evidence/genotype_identity.hpp"

namespace kelvane::analysis {

namespace {

constexpr std::array<clonal::NamedChoice<SpatialAnalysis>, 4> kAnalyses{{
    {SpatialAnalysis::kSubrange, "subrange"},
    {SpatialAnalysis::kAggregation, "aggregation"},
    {SpatialAnalysis::kEdge, "edge"},
    {SpatialAnalysis::kAutocorrelation, "autocorrelation"},
}};

}  // namespace

std::span<const clonal::NamedChoice<SpatialAnalysis>> spatial_analyses() {
    return kAnalyses;
}

Coordinates coordinates_file(const std::string& file, const MarkerData& data, bool geographic) {
    try {
        return read_coordinates(clonal::read_input_file(file), data.ind_names, geographic);
    } catch (clonal::FatalError& error) {
        throw error.in_file(file);
    }
}

std::optional<Coordinates> sheet_coordinates(const DataInput& input, const MarkerData& data,
                                             bool geographic) {
    const DataFormat format = input.format ? *input.format : format_of_file_name(input.file);
    if (format != DataFormat::kGenalex) {
        return std::nullopt;
    }
    try {
        return genalex_coordinates(clonal::read_input_file(input.file), data.ind_names, geographic);
    } catch (clonal::FatalError& error) {
        throw error.in_file(input.file);
    }
}

Genotypes genets_of(const MarkerData& data, const DistanceInput& distances,
                    std::optional<int32_t> threshold, const clonal::WorkSettings& work) {
    if (threshold) {
        return single_linkage_genotypes(data, distances, *threshold, work);
    }
    const GenotypeClasses classes = GenotypeIdentity(data).multilocus_genotypes();
    Genotypes genets;
    genets.count = classes.count;
    for (const int32_t klass : classes.class_of) {
        genets.numbers.push_back(klass + 1);
    }
    return genets;
}

std::vector<std::pair<std::string, std::vector<int>>> spatial_groups(const MarkerData& data) {
    std::vector<std::pair<std::string, std::vector<int>>> groups;
    for (int p = 1; p <= data.n_populations; ++p) {
        groups.emplace_back(data.population_name(p), std::vector<int>{});
    }
    std::vector<int> all;
    for (int i = 0; i < data.n_individuals; ++i) {
        const int population = data.pop_vector[static_cast<std::size_t>(i)];
        groups[static_cast<std::size_t>(population - 1)].second.push_back(i);
        all.push_back(i);
    }
    groups.emplace_back("all", std::move(all));
    return groups;
}

clonal::ResultTable subrange_table(const SubrangeResult& result) {
    clonal::ResultTable table;
    table.header({"class", "from", "to", "mean_distance", "pairs", "same_genet_share"});
    for (std::size_t c = 0; c < result.classes.size(); ++c) {
        const SubrangeClass& klass = result.classes[c];
        const auto pairs = static_cast<double>(klass.pairs);
        table.integer(static_cast<int64_t>(c) + 1)
            .real(klass.from)
            .real(klass.to)
            .real(klass.distance_sum / pairs)
            .integer(klass.pairs)
            .real(static_cast<double>(klass.same_genet) / pairs);
        table.end_row();
    }
    return table;
}

clonal::ResultTable genet_spread_table(const SubrangeResult& result) {
    clonal::ResultTable table;
    table.header({"genotype", "ramets", "subrange"});
    for (const GenetSpread& spread : result.genets) {
        table.integer(spread.genet).integer(spread.ramets);
        if (spread.ramets > 1) {
            table.real(spread.subrange);
        } else {
            table.missing();
        }
        table.end_row();
    }
    return table;
}

namespace {

// What every spatial analysis checks before any work: one genet and one place per individual,
// the places as the readers would take them, and a number of permutations it can draw.
void check_spatial_input(const MarkerData& data, const Coordinates& coordinates,
                         const Genotypes& genets, int64_t permutations) {
    if (coordinates.size() != data.n_individuals || coordinates.y.size() != coordinates.x.size() ||
        genets.numbers.size() != static_cast<std::size_t>(data.n_individuals)) {
        throw clonal::FatalError("the coordinates and the genets need one value per individual");
    }
    check_coordinates(coordinates, data.ind_names);
    if (data.n_individuals < 2) {
        throw clonal::FatalError(
            std::string("the spatial analyses pair individuals with coordinates, and there ") +
            (data.n_individuals == 1 ? "is one" : "are none"));
    }
    clonal::check_setting("permutations", static_cast<double>(permutations));
}

}  // namespace

SubrangeResult subrange(const MarkerData& data, const Coordinates& coordinates,
                        const Genotypes& genets, const ClassSettings& classes) {
    check_spatial_input(data, coordinates, genets, 0);
    std::vector<int> all(genets.numbers.size());
    std::iota(all.begin(), all.end(), 0);
    return clonal_subrange(coordinates, genets.numbers, all, classes);
}

namespace {

// A row per population and one for all, each filled by analyse(members, row).
template <class Analyse>
std::vector<SpatialRow> per_group(const MarkerData& data, Analyse analyse) {
    std::vector<SpatialRow> rows;
    for (const auto& [name, members] : spatial_groups(data)) {
        SpatialRow row{name, static_cast<int64_t>(members.size()), {}, {}};
        analyse(members, row);
        rows.push_back(std::move(row));
    }
    return rows;
}

// population and four values per row.
template <class Values>
clonal::ResultTable group_table(std::initializer_list<std::string_view> header,
                                const std::vector<SpatialRow>& rows, Values values) {
    clonal::ResultTable table;
    table.header(header);
    for (const SpatialRow& row : rows) {
        table.text(row.population);
        for (const double value : values(row)) {
            table.real(value);
        }
        table.end_row();
    }
    return table;
}

}  // namespace

std::vector<SpatialRow> aggregation(const MarkerData& data, const Coordinates& coordinates,
                                    const Genotypes& genets, int64_t permutations,
                                    clonal::Random& random) {
    check_spatial_input(data, coordinates, genets, permutations);
    return per_group(data, [&](const std::vector<int>& members, SpatialRow& row) {
        if (members.size() >= 2) {
            row.aggregation =
                aggregation_index(coordinates, genets.numbers, members, permutations, random);
        }
    });
}

clonal::ResultTable aggregation_table(const std::vector<SpatialRow>& rows) {
    return group_table({"population", "psg", "psp", "ac", "p"}, rows, [](const SpatialRow& row) {
        const AggregationResult& result = row.aggregation;
        return std::array{result.psg, result.psp, result.ac, result.p};
    });
}

std::vector<SpatialRow> edge(const MarkerData& data, const Coordinates& coordinates,
                             const Genotypes& genets,
                             std::optional<std::pair<double, double>> centre, int64_t permutations,
                             clonal::Random& random) {
    check_spatial_input(data, coordinates, genets, permutations);
    if (centre) {
        for (const int c : {0, 1}) {
            const double value = c == 0 ? centre->first : centre->second;
            if (std::isnan(value)) {
                throw clonal::SettingError("{setting} takes two numbers", "center");
            }
            if (auto why = coordinate_refusal(value, c, coordinates.geographic, "the centre",
                                              clonal::format("%g", value))) {
                throw clonal::SettingError("{setting}: " + *why, "center")
                    .advised(geographic_advice(coordinates));
            }
        }
    }
    return per_group(data, [&](const std::vector<int>& members, SpatialRow& row) {
        if (!members.empty()) {
            row.edge = edge_effect(coordinates, genets.numbers, members,
                                   centre ? *centre : centroid(coordinates, members), permutations,
                                   random);
        }
    });
}

clonal::ResultTable edge_table(const std::vector<SpatialRow>& rows) {
    return group_table({"population", "du", "da", "ee", "p"}, rows, [](const SpatialRow& row) {
        const EdgeResult& result = row.edge;
        return std::array{result.du, result.da, result.ee, result.p};
    });
}

CorrelogramResult autocorrelation(const MarkerData& data, const Coordinates& coordinates,
                                  const Genotypes& genets, KinshipLevel level,
                                  const ClassSettings& classes, int64_t permutations,
                                  clonal::Random& random, const clonal::WorkSettings& work) {
    check_spatial_input(data, coordinates, genets, permutations);
    std::vector<int> all(static_cast<std::size_t>(data.n_individuals));
    std::iota(all.begin(), all.end(), 0);
    return kinship_correlogram(data, coordinates, genets.numbers, all, level, classes, permutations,
                               random, work.threads);
}

clonal::ResultTable autocorrelation_table(const CorrelogramResult& result) {
    clonal::ResultTable table;
    table.header(
        {"class", "from", "to", "mean_distance", "ln_mean_distance", "pairs", "kinship", "p"});
    for (std::size_t c = 0; c < result.classes.size(); ++c) {
        const CorrelogramClass& klass = result.classes[c];
        const auto pairs = static_cast<double>(klass.pairs);
        const double mean = klass.distance_sum / pairs;
        table.integer(static_cast<int64_t>(c) + 1)
            .real(klass.from)
            .real(klass.to)
            .real(mean)
            .real(std::log(mean))
            .integer(klass.pairs)
            .real(klass.kinship_sum / pairs)
            .real(klass.p);
        table.end_row();
    }
    return table;
}

clonal::ResultTable autocorrelation_summary_table(const CorrelogramResult& result) {
    clonal::ResultTable table;
    table.header({"b", "b_log", "f1", "sp", "sp_log"});
    table.real(result.b).real(result.b_log).real(result.f1).real(result.sp).real(result.sp_log);
    table.end_row();
    return table;
}

}  // namespace kelvane::analysis
