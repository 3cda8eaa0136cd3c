// Where the clones are: the spatial structure of genets from the coordinates of their ramets.
// The genets are the clonal genotypes at a threshold (single linkage on the distances), or
// without one the genotypes of identical data. Each analysis runs on every population and on
// all individuals together. Definitions: spatial/clonal_subrange.hpp, aggregation_index.hpp,
// edge_effect.hpp, kinship_correlogram.hpp.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/core/named_choices.hpp"
#include "common/core/random.hpp"
#include "common/core/work_settings.hpp"
#include "common/text/result_table.hpp"
#include "kelvane/analysis/distances.hpp"
#include "kelvane/data/formats/data_file_reader.hpp"
#include "kelvane/data/marker_data.hpp"
#include "kelvane/grouping/genotype_grouping.hpp"
#include "kelvane/spatial/aggregation_index.hpp"
#include "kelvane/spatial/clonal_subrange.hpp"
#include "kelvane/spatial/coordinates.hpp"
#include "kelvane/spatial/edge_effect.hpp"
#include "kelvane/spatial/kinship_correlogram.hpp"

namespace kelvane::analysis {

enum class SpatialAnalysis { kSubrange, kAggregation, kEdge, kAutocorrelation };

// subrange, aggregation, edge, autocorrelation (the setting analysis).
std::span<const clonal::NamedChoice<SpatialAnalysis>> spatial_analyses();

// The coordinates of the data's individuals from a file (errors name it), or from the data's own
// GenAlEx sheet (nothing when the data is no such sheet or it has no coordinates).
Coordinates coordinates_file(const std::string& file, const MarkerData& data, bool geographic);
std::optional<Coordinates> sheet_coordinates(const DataInput& input, const MarkerData& data,
                                             bool geographic);

// The genet of every individual: its clonal genotype at the threshold, or its genotype of
// identical data without one.
Genotypes genets_of(const MarkerData& data, const DistanceInput& distances,
                    std::optional<int32_t> threshold, const clonal::WorkSettings& work = {});

// The individuals of every population in data order, then all of them: the rows of a table per
// population, named by population_name or "all".
std::vector<std::pair<std::string, std::vector<int>>> spatial_groups(const MarkerData& data);

// Every analysis below checks its input first: a place and a genet per individual, places as
// check_coordinates wants them, the class settings (check_class_settings), from 0 to 100000000
// permutations and a centre given as a place; otherwise a FatalError, or a SettingError naming
// {permutations}, {center} or the class setting.

// The subrange of all individuals.
SubrangeResult subrange(const MarkerData& data, const Coordinates& coordinates,
                        const Genotypes& genets, const ClassSettings& classes);

// class, from, to, mean_distance, pairs, same_genet_share: a row per distance class.
clonal::ResultTable subrange_table(const SubrangeResult& result);
// genotype, ramets, subrange: a row per genet.
clonal::ResultTable genet_spread_table(const SubrangeResult& result);

struct SpatialRow {
    std::string population;
    int64_t ramets = 0;
    AggregationResult aggregation;
    EdgeResult edge;
};

// Ac per population and for all, permutations drawn from random in that order.
std::vector<SpatialRow> aggregation(const MarkerData& data, const Coordinates& coordinates,
                                    const Genotypes& genets, int64_t permutations,
                                    clonal::Random& random);
// population, psg, psp, ac, p.
clonal::ResultTable aggregation_table(const std::vector<SpatialRow>& rows);

// Ee per population and for all, about the centre given or else each group's centroid.
std::vector<SpatialRow> edge(const MarkerData& data, const Coordinates& coordinates,
                             const Genotypes& genets,
                             std::optional<std::pair<double, double>> centre, int64_t permutations,
                             clonal::Random& random);
// population, du, da, ee, p.
clonal::ResultTable edge_table(const std::vector<SpatialRow>& rows);

// The kinship correlogram of all individuals (kinship_correlogram.hpp).
CorrelogramResult autocorrelation(const MarkerData& data, const Coordinates& coordinates,
                                  const Genotypes& genets, KinshipLevel level,
                                  const ClassSettings& classes, int64_t permutations,
                                  clonal::Random& random, const clonal::WorkSettings& work = {});
// class, from, to, mean_distance, ln_mean_distance, pairs, kinship, p: a row per class.
clonal::ResultTable autocorrelation_table(const CorrelogramResult& result);
// b, b_log, f1, sp, sp_log: one row.
clonal::ResultTable autocorrelation_summary_table(const CorrelogramResult& result);

}  // namespace kelvane::analysis
