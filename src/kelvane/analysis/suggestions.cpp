// The suggested thresholds and their table.
#include "kelvane/analysis/suggestions.hpp"

#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "kelvane/analysis/clones.hpp"
#include "kelvane/evidence/genotype_identity.hpp"
#include "kelvane/grouping/distinct_genotypes.hpp"

namespace kelvane::analysis {
namespace {

// The number of genotypes at a threshold, from the counts at every threshold where it changes.
int32_t genotypes_at(const std::vector<ThresholdCount>& counts, double threshold) {
    int32_t genotypes = counts.front().genotypes;
    for (const ThresholdCount& count : counts) {
        if (count.threshold <= threshold) {
            genotypes = count.genotypes;
        }
    }
    return genotypes;
}

void add_row(clonal::ResultTable& table, const char* method, std::optional<double> low,
             std::optional<double> high, const Suggestions& suggestions) {
    table.text(method);
    if (low && high) {
        const bool real = suggestions.unrounded;
        distance_cell(table, *low, real).integer(genotypes_at(suggestions.counts, *low));
        distance_cell(distance_cell(table, *low, real), *high, real);
    } else {
        table.missing().missing().missing().missing();
    }
    table.end_row();
}

}  // namespace

void check_suggestion_settings(const SuggestionSettings& settings) {
    clonal::check_setting("fraction", settings.fraction);
    clonal::check_setting("alpha", settings.alpha);
    clonal::check_setting("suggest.simulations", settings.simulations);
}

namespace {

// The distinct genotypes, each by its first individual and how many individuals it stands for.
struct Representatives {
    std::vector<int> members;
    std::vector<int64_t> counts;
};

Representatives representatives_of(const MarkerData& data) {
    const GenotypeClasses distinct = GenotypeIdentity(data).multilocus_genotypes();
    Representatives result;
    result.counts.assign(static_cast<std::size_t>(distinct.count), 0);
    for (int i = 0, next = 0; i < data.n_individuals; ++i) {
        const int32_t genotype = distinct.class_of[static_cast<std::size_t>(i)];
        if (genotype == next) {
            result.members.push_back(i);
            ++next;
        }
        ++result.counts[static_cast<std::size_t>(genotype)];
    }
    return result;
}

}  // namespace

Suggestions suggestions(const MarkerData& data, const DistanceMatrix& matrix,
                        const std::optional<DistanceModel>& model,
                        const SuggestionSettings& settings, clonal::Random& random,
                        const clonal::WorkSettings& work) {
    check_suggestion_settings(settings);
    Suggestions result;
    // The merge heights among the distinct genotypes; average linkage weighs each by its
    // individuals, as grouping them would.
    const Representatives distinct = representatives_of(data);
    result.gap =
        largest_gap(heights_under(matrix, distinct.members, distinct.counts, settings.linkage),
                    settings.fraction);
    if (model) {
        result.floor =
            sexual_floor(data, *model, settings.simulations, settings.alpha, random, work.threads);
    }
    if (model && model->kind == DistanceKind::kMismatch) {
        result.automatic = automatic_threshold_of(data, *model, false, lower_triangle(matrix),
                                                  settings.replicates);
    }
    result.counts = counts_under(matrix, settings.linkage);
    return result;
}

bool suggestions_read_matrix(const DistanceInput& distances, const SuggestionSettings& settings) {
    return !distances.unrounded &&
           !(settings.linkage == Linkage::kSingle && grouped_by_distinct_genotypes(distances));
}

Suggestions suggestions(const MarkerData& data, const DistanceInput& distances,
                        const SuggestionSettings& settings, clonal::Random& random,
                        const clonal::WorkSettings& work) {
    if (distances.unrounded) {
        check_suggestion_settings(settings);
        const std::vector<double> values = distance_values(data, distances, true, work);
        const GroupingDistances grouping = grouping_distances(data, values);
        Suggestions result;
        result.unrounded = true;
        const Representatives distinct = representatives_of(data);
        result.gap = largest_gap(
            heights_under(grouping, distinct.members, distinct.counts, settings.linkage),
            settings.fraction);
        // The offspring's distances are the matrix's whole numbers, which the real distances
        // equal unless the model scales them.
        const DistanceModel model = model_of(distances.model, data);
        if (model.kind == DistanceKind::kMismatch) {
            result.automatic =
                automatic_threshold_of(data, model, true, values, settings.replicates);
        }
        if (!scaled_in_matrix(model.kind)) {
            result.floor = sexual_floor(data, model, settings.simulations, settings.alpha, random,
                                        work.threads);
        }
        result.counts = counts_under(grouping, settings.linkage);
        return result;
    }
    if (suggestions_read_matrix(distances, settings)) {
        return suggestions(data, distance_matrix(data, distances, work),
                           input_model(distances, data), settings, random, work);
    }
    check_suggestion_settings(settings);
    const DistinctGenotypes distinct = distinct_genotypes_under(data, distances);
    DistinctMergeHeights merges(distinct, work.threads);
    for_each_distinct_band(data, distinct, distances, work,
                           [&](const DistanceMatrix& band) { merges.add_band(band); });
    // The tree's weights are the merge heights of the distinct genotypes, ascending.
    std::vector<double> heights;
    for (const TreeEdge& edge : merges.tree_edges()) {
        heights.push_back(edge.weight);
    }
    Suggestions result;
    result.gap = largest_gap(heights, settings.fraction);
    result.floor = sexual_floor(data, model_of(distances.model, data), settings.simulations,
                                settings.alpha, random, work.threads);
    result.counts = counts_at_merges(data.n_individuals, merges.heights());
    if (model_of(distances.model, data).kind == DistanceKind::kMismatch) {
        // The modes read every distance, which the spanning tree does not keep.
        result.automatic = automatic_distances(data, distances, settings.replicates, work).chosen;
    }
    return result;
}

clonal::ResultTable suggestions_table(const Suggestions& suggestions) {
    clonal::ResultTable table;
    table.header({"method", "threshold", "genotypes", "low", "high"});
    const auto& gap = suggestions.gap;
    const auto& floor = suggestions.floor;
    add_row(table, "largest-gap", gap ? std::optional(gap->low) : std::nullopt,
            gap ? std::optional(gap->high) : std::nullopt, suggestions);
    add_row(table, "sexual-floor",
            floor ? std::optional(static_cast<double>(floor->low)) : std::nullopt,
            floor ? std::optional(static_cast<double>(floor->high)) : std::nullopt, suggestions);
    if (suggestions.automatic) {
        const double threshold = suggestions.automatic->threshold;
        table.text("auto");
        distance_cell(table, threshold, suggestions.unrounded)
            .integer(genotypes_at(suggestions.counts, threshold))
            .missing()
            .missing();
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
