// The grouping again with missing copies counted, compared individual by individual.
#include "kelvane/cli/missing_data_note.hpp"

#include <map>
#include <vector>

#include "kelvane/evidence/genotype_identity.hpp"

namespace kelvane {
namespace {

bool has_missing_copy(const MarkerData& data, int individual) {
    for (int locus = 0; locus < data.n_loci; ++locus) {
        for (const int32_t copy : data.locus_genotype(individual, locus)) {
            if (copy == 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::string missing_data_note(const DataOptions& options, const MarkerData& data,
                              const Genotypes& genotypes, int32_t threshold,
                              const clonal::cli::CommonOptions& common,
                              const clonal::cli::Terminal& terminal) {
    if (!options.matrix.empty() || options.missing != "not-counted" || options.distance == "dice") {
        return {};
    }
    std::vector<bool> missing(static_cast<std::size_t>(data.n_individuals));
    bool any = false;
    for (int i = 0; i < data.n_individuals; ++i) {
        missing[static_cast<std::size_t>(i)] = has_missing_copy(data, i);
        any = any || missing[static_cast<std::size_t>(i)];
    }
    if (!any) {
        return {};
    }
    // At threshold 0 the peers' multilocus genotypes: identical data, a missing copy equal only
    // to a missing copy. Above it, the same model with each missing copy one step.
    Genotypes apart;
    if (threshold == 0) {
        const GenotypeClasses classes = GenotypeIdentity(data).multilocus_genotypes();
        apart.numbers = classes.class_of;
        apart.count = classes.count;
    } else {
        DataOptions counted = options;
        counted.missing = "1";
        clonal::cli::CommonOptions quiet = common;
        quiet.quiet = true;
        quiet.progress = false;
        apart = genotypes_at_threshold(distance_matrix(counted, data, quiet, terminal), threshold);
    }
    if (apart.count == genotypes.count) {
        return {};
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
    int64_t joined = 0;
    for (std::size_t i = 0; i < genotypes.numbers.size(); ++i) {
        joined += missing[i] && merged[static_cast<std::size_t>(genotypes.numbers[i])] ? 1 : 0;
    }
    return std::to_string(joined) +
           (joined == 1 ? " individual with missing copies shares"
                        : " individuals with missing copies share") +
           " a clonal genotype at threshold " + std::to_string(threshold) +
           " with individuals they differ from only where copies are missing (missing copies are "
           "not counted); " +
           (threshold == 0 ? std::string("the multilocus genotypes of identical data (a missing "
                                         "copy equal only to a missing copy) number ")
                           : std::string("counting each as one step (--missing 1) gives ")) +
           std::to_string(apart.count) + " instead of " + std::to_string(genotypes.count);
}

}  // namespace kelvane
