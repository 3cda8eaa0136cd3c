// The index of association of every population and of the total.
#include "kelvane/analysis/association.hpp"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "common/core/fatal_error.hpp"
#include "common/core/setting_ranges.hpp"
#include "kelvane/analysis/genotype_choice.hpp"
#include "kelvane/data/data_subset.hpp"

namespace kelvane::analysis {
namespace {

void write_row(clonal::ResultTable& table, const std::string& population,
               const AssociationTest& test) {
    table.text(population)
        .integer(test.individuals)
        .real(test.ia)
        .real(test.rbard)
        .real(test.p_ia)
        .real(test.p_rbard);
    table.end_row();
}

}  // namespace

void check_association_settings(const AssociationSettings& settings) {
    clonal::check_setting("permutations", static_cast<double>(settings.permutations));
    if (settings.threshold && !settings.clone_correct) {
        throw clonal::SettingError("{setting} goes with {clone_correct} only", "threshold");
    }
}

namespace {

// The individuals tested: of each population, clone-corrected within it, and all of them.
struct Samples {
    std::vector<std::vector<int>> populations;
    std::vector<int> everyone;
};

Samples samples_of(const MarkerData& data, const AssociationSettings& settings,
                   const DistanceInput& distances, const clonal::WorkSettings& work) {
    check_association_settings(settings);
    std::vector<int32_t> genotypes;
    if (settings.clone_correct) {
        genotypes = chosen_genotypes(data, settings.threshold, distances, {work.threads, {}});
    }
    // The sample of each population, clone-corrected within it; all samples together. An
    // individual outside the declared populations (number 0, negative or too large) counts in
    // the total only, clone-corrected among the others outside.
    const auto populations = static_cast<std::size_t>(data.n_populations);
    std::vector<std::vector<int>> samples(populations + 1);
    std::vector<std::unordered_set<int32_t>> seen(samples.size());
    std::vector<int> everyone;
    for (int i = 0; i < data.n_individuals; ++i) {
        const int32_t population = data.pop_vector[static_cast<std::size_t>(i)];
        const std::size_t p = population >= 1 && population <= data.n_populations
                                  ? static_cast<std::size_t>(population - 1)
                                  : populations;
        if (!genotypes.empty() && !seen[p].insert(genotypes[static_cast<std::size_t>(i)]).second) {
            continue;
        }
        samples[p].push_back(i);
        everyone.push_back(i);
    }
    samples.pop_back();
    return {std::move(samples), std::move(everyone)};
}

}  // namespace

AssociationResult association(const MarkerData& data, const AssociationSettings& settings,
                              const DistanceInput& distances, clonal::Random& random,
                              const clonal::WorkSettings& work) {
    const auto [samples, everyone] = samples_of(data, settings, distances, work);
    AssociationResult result;
    for (const std::vector<int>& sample : samples) {
        result.populations.push_back(association_test(data, sample, settings.permutations, random,
                                                      work.threads, work.progress));
    }
    // A population that holds every individual is the whole sample: its test is the total's.
    const auto whole = std::find(samples.begin(), samples.end(), everyone);
    result.total = whole != samples.end()
                       ? result.populations[static_cast<std::size_t>(whole - samples.begin())]
                       : association_test(data, everyone, settings.permutations, random,
                                          work.threads, work.progress);
    return result;
}

clonal::ResultTable association_table(const MarkerData& data, const AssociationResult& result) {
    clonal::ResultTable table;
    table.header({"population", "n", "ia", "rbard", "p_ia", "p_rbard"});
    for (int p = 1; p <= data.n_populations; ++p) {
        write_row(table, data.population_name(p),
                  result.populations[static_cast<std::size_t>(p - 1)]);
    }
    write_row(table, "total", result.total);
    return table;
}

std::vector<LocusPairAssociation> locus_pair_association(const MarkerData& data,
                                                         const AssociationSettings& settings,
                                                         const DistanceInput& distances,
                                                         clonal::Random& random,
                                                         const clonal::WorkSettings& work) {
    const Samples samples = samples_of(data, settings, distances, work);
    std::vector<LocusPairAssociation> pairs;
    for (int a = 0; a < data.n_loci; ++a) {
        for (int b = a + 1; b < data.n_loci; ++b) {
            const std::array<int, 2> loci{a, b};
            const MarkerData two = loci_subset(data, loci);
            pairs.push_back({a, b,
                             association_test(two, samples.everyone, settings.permutations, random,
                                              work.threads)});
        }
    }
    return pairs;
}

clonal::ResultTable locus_pair_table(const MarkerData& data,
                                     const std::vector<LocusPairAssociation>& pairs) {
    clonal::ResultTable table;
    table.header({"locus_a", "locus_b", "n", "ia", "rbard", "p_ia", "p_rbard"});
    for (const LocusPairAssociation& pair : pairs) {
        table.text(data.locus_names[static_cast<std::size_t>(pair.locus_a)])
            .text(data.locus_names[static_cast<std::size_t>(pair.locus_b)])
            .integer(pair.test.individuals)
            .real(pair.test.ia)
            .real(pair.test.rbard)
            .real(pair.test.p_ia)
            .real(pair.test.p_rbard);
        table.end_row();
    }
    return table;
}

}  // namespace kelvane::analysis
