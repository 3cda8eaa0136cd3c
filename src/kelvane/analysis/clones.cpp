// The clonal genotypes at a threshold, and what missing copies did to them.
#include "kelvane/analysis/clones.hpp"

#include <cmath>
#include <map>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "kelvane/data/data_subset.hpp"
#include "kelvane/distance/model_catalogue.hpp"
#include "kelvane/evidence/genotype_identity.hpp"
#include "kelvane/grouping/distinct_genotypes.hpp"

namespace kelvane::analysis {
namespace {

// Single linkage at the threshold under the counted input within each of our genotypes: counting
// missing copies only lengthens distances, so its genotypes lie within ours. The distances of a
// genotype's members come from the model of the whole data set, as the whole matrix would give.
Genotypes counted_within(const MarkerData& data, const Genotypes& ours,
                         const DistanceInput& counted, int32_t threshold, int threads) {
    const DistanceModel model = model_of(counted.model, data);
    std::vector<std::vector<int>> members(static_cast<std::size_t>(ours.count) + 1);
    for (std::size_t i = 0; i < ours.numbers.size(); ++i) {
        members[static_cast<std::size_t>(ours.numbers[i])].push_back(static_cast<int>(i));
    }
    Genotypes apart;
    apart.numbers.assign(ours.numbers.size(), 0);
    int32_t labels = 0;
    // Small genotypes on one thread: starting workers would cost more than their pairs.
    constexpr std::size_t kWorthWorkers = 256;
    for (const std::vector<int>& group : members) {
        if (group.size() <= 1) {
            for (const int i : group) {
                apart.numbers[static_cast<std::size_t>(i)] = labels++;
            }
            continue;
        }
        const MarkerData part = data_subset(data, group);
        const DistinctGenotypes distinct = distinct_genotypes(part, true);
        DistinctSingleLinkage linkage(distinct, threshold);
        for_each_distinct_band(part, distinct, model,
                               {group.size() < kWorthWorkers ? 1 : threads, {}},
                               [&](const DistanceMatrix& band) { linkage.add_band(band); });
        const Genotypes inner = linkage.genotypes();
        for (std::size_t k = 0; k < group.size(); ++k) {
            apart.numbers[static_cast<std::size_t>(group[k])] = labels + inner.numbers[k] - 1;
        }
        labels += inner.count;
    }
    apart.count = renumber_genotypes(apart.numbers);
    return apart;
}

std::optional<MissingDataEffect> missing_data_effect(const MarkerData& data,
                                                     const Genotypes& genotypes,
                                                     const DistanceInput& distances,
                                                     int32_t threshold, int threads) {
    if (distances.matrix || distances.model.missing != ModelChoice{}.missing ||
        distances.model.distance == "dice" || !distances.model.partial_genotypes.empty()) {
        return std::nullopt;
    }
    std::vector<bool> missing(static_cast<std::size_t>(data.n_individuals));
    bool any = false;
    for (int i = 0; i < data.n_individuals; ++i) {
        missing[static_cast<std::size_t>(i)] = has_missing_copy(data, i);
        any = any || missing[static_cast<std::size_t>(i)];
    }
    if (!any) {
        return std::nullopt;
    }
    Genotypes apart;
    if (threshold == 0) {
        const GenotypeClasses classes = GenotypeIdentity(data).multilocus_genotypes();
        apart.numbers = classes.class_of;
        apart.count = classes.count;
    } else {
        DistanceInput counted = distances;
        counted.model.missing = std::to_string(1);  // one step each
        apart = counted_within(data, genotypes, counted, threshold, threads);
    }
    if (apart.count == genotypes.count) {
        return std::nullopt;
    }
    // Counting missing copies only lengthens distances, so each genotype of that grouping lies
    // within one of ours: an individual joined through missing data when its genotype here holds
    // members of more than one genotype there.
    std::map<int32_t, int32_t> first_apart_of;  // our genotype -> a genotype there
    std::vector<bool> merged(static_cast<std::size_t>(genotypes.count) + 1, false);
    for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
        const auto [at, fresh] = first_apart_of.emplace(genotypes.numbers[i], apart.numbers[i]);
        if (!fresh && at->second != apart.numbers[i]) {
            merged[static_cast<std::size_t>(genotypes.numbers[i])] = true;
        }
    }
    MissingDataEffect effect;
    for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
        effect.joined +=
            missing[i] && merged[static_cast<std::size_t>(genotypes.numbers[i])] ? 1 : 0;
    }
    effect.genotypes_apart = apart.count;
    return effect;
}

}  // namespace

void check_threshold(double threshold, bool unrounded) {
    clonal::check_setting("threshold", threshold);
    if (!unrounded && threshold != std::floor(threshold)) {
        throw clonal::SettingError("{setting} takes a whole number on the rounded distances",
                                   "threshold")
            .advised("(thresholds between them: {unrounded})");
    }
}

ClonesResult clones(const MarkerData& data, const DistanceMatrix& matrix,
                    const DistanceInput& distances, const ClonesSettings& settings,
                    const clonal::WorkSettings& work) {
    check_threshold(settings.threshold);
    const int32_t threshold = whole_threshold(settings.threshold);
    ClonesResult result;
    result.genotypes = genotypes_under(matrix, threshold, settings.linkage);
    // Counting missing copies only lengthens distances, which nests the single-linkage groupings
    // into each other; the other rules need not nest.
    if (settings.linkage == Linkage::kSingle) {
        result.missing =
            missing_data_effect(data, result.genotypes, distances, threshold, work.threads);
    }
    return result;
}

Genotypes single_linkage_genotypes(const MarkerData& data, const DistanceInput& distances,
                                   double threshold, const clonal::WorkSettings& work) {
    check_threshold(threshold, distances.unrounded);
    if (distances.unrounded) {
        return genotypes_under(grouping_distances(data, distances, work), threshold,
                               Linkage::kSingle);
    }
    if (!grouped_by_distinct_genotypes(distances)) {
        return genotypes_at_threshold(distance_matrix(data, distances, work),
                                      whole_threshold(threshold));
    }
    const DistinctGenotypes distinct = distinct_genotypes_under(data, distances);
    DistinctSingleLinkage linkage(distinct, whole_threshold(threshold));
    for_each_distinct_band(data, distinct, distances, work,
                           [&](const DistanceMatrix& band) { linkage.add_band(band); });
    return linkage.genotypes();
}

bool grouped_by_distinct_genotypes(const DistanceInput& distances) {
    return !distances.matrix && !distances.unrounded && distances.model.missing != "average";
}

ClonesResult clones(const MarkerData& data, const DistanceInput& distances,
                    const ClonesSettings& settings, const clonal::WorkSettings& work) {
    if (settings.automatic) {
        const AutomaticDistances automatic =
            automatic_distances(data, distances, settings.replicates, work);
        ClonesResult result;
        result.automatic = automatic.chosen;
        result.genotypes = genotypes_under(grouping_distances(data, automatic.values),
                                           automatic.chosen.threshold, settings.linkage);
        return result;
    }
    check_threshold(settings.threshold, distances.unrounded);
    if (distances.unrounded) {
        return {genotypes_under(grouping_distances(data, distances, work), settings.threshold,
                                settings.linkage),
                std::nullopt, std::nullopt};
    }
    if (settings.linkage != Linkage::kSingle || !grouped_by_distinct_genotypes(distances)) {
        return clones(data, distance_matrix(data, distances, work), distances, settings, work);
    }
    ClonesResult result;
    result.genotypes = single_linkage_genotypes(data, distances, settings.threshold, work);
    result.missing = missing_data_effect(data, result.genotypes, distances,
                                         whole_threshold(settings.threshold), work.threads);
    return result;
}

clonal::ResultTable clones_table(const MarkerData& data, const ClonesResult& result) {
    clonal::ResultTable table;
    table.header({"individual", "population", "genotype"});
    const Genotypes& genotypes = result.genotypes;
    for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
        table.text(data.ind_names[i])
            .text(data.population_name(data.pop_vector[i]))
            .integer(genotypes.numbers[i]);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
