// Pgen and Psex of the repeated genotypes, group by group.
#include "kelvane/evidence/psex/psex.hpp"

#include <algorithm>
#include <limits>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "common/core/bug_check.hpp"
#include "kelvane/evidence/psex/genotype_probability.hpp"
#include "kelvane/evidence/psex/inbreeding.hpp"

namespace kelvane {

std::optional<clonal::FatalError> psex_refusal(const MarkerData& data,
                                               const PsexSettings& settings) {
    if (settings.fis && data.max_ploidy != 2) {
        return clonal::FatalError("{setting} needs diploid data (maximum ploidy 2)",
                                  clonal::ErrorKind::kData, "fis")
            .in_file(data.file);
    }
    if (data.max_ploidy > kLargestPascalRow) {
        return clonal::FatalError("genotype probabilities need a maximum ploidy of at most 1000")
            .in_file(data.file);
    }
    return std::nullopt;
}

std::vector<PsexRow> psex_table(const MarkerData& data, const GenotypeIdentity& identity,
                                std::span<const int32_t> genotypes, const PsexSettings& settings,
                                clonal::Random& random) {
    CLONAL_BUG_CHECK(!psex_refusal(data, settings));
    std::unordered_map<int32_t, int64_t> members_of;
    for (const int32_t genotype : genotypes) {
        ++members_of[genotype];
    }
    // The groups in which frequencies, ranks and N are taken, each with its members in order.
    std::map<int32_t, std::vector<int>> groups;
    for (int i = 0; i < data.n_individuals; ++i) {
        groups[settings.by_population ? data.pop_vector[static_cast<std::size_t>(i)] : 0].push_back(
            i);
    }
    const FrequencyEstimator estimator(data, identity, genotypes, settings.frequencies,
                                       settings.fill);
    const GenotypeProbability probability(data.max_ploidy);
    std::vector<PsexRow> rows;
    for (const auto& [group, members] : groups) {
        // G, the number of distinct genotypes, is the group's own (a population's, or the whole
        // data set's), as its frequencies, ranks and N are.
        std::unordered_set<int32_t> group_genotypes;
        for (const int i : members) {
            group_genotypes.insert(genotypes[static_cast<std::size_t>(i)]);
        }
        const auto distinct = static_cast<int64_t>(group_genotypes.size());
        const FrequencySet frequencies = estimator.for_group(members);
        const std::vector<double> fis =
            settings.fis ? locus_fis(data, frequencies) : std::vector<double>{};
        const auto n = static_cast<int64_t>(members.size());
        std::unordered_map<int32_t, int64_t> encounters;
        std::vector<int64_t> ranks;
        bool repeats = false;
        for (const int i : members) {
            ranks.push_back(++encounters[genotypes[static_cast<std::size_t>(i)]]);
            repeats = repeats || ranks.back() >= 2;
        }
        const std::size_t first_row = rows.size();
        for (std::size_t m = 0; m < members.size(); ++m) {
            const int i = members[m];
            const int32_t genotype = genotypes[static_cast<std::size_t>(i)];
            if (members_of[genotype] < 2) {
                continue;
            }
            const int64_t rank = ranks[m];
            const double pgen = probability.multilocus(data, i, frequencies, fis);
            const double psex = psex_value(settings.method, pgen, rank, n, distinct);
            rows.push_back(
                {i, genotype, rank, pgen, psex, std::numeric_limits<double>::quiet_NaN()});
        }
        // Only repeats get a p-value: a group without repeats needs no simulation.
        if (settings.simulations > 0 && repeats) {
            std::vector<double> tested;
            for (std::size_t r = first_row; r < rows.size(); ++r) {
                tested.push_back(rows[r].rank >= 2 ? rows[r].psex
                                                   : std::numeric_limits<double>::quiet_NaN());
            }
            const SimulationModel model{frequencies, fis, probability, settings.method,
                                        static_cast<int>(n)};
            const std::vector<double> shares = simulated_shares_below(
                model, settings.simulations, random, settings.threads, tested);
            for (std::size_t r = first_row; r < rows.size(); ++r) {
                rows[r].p_sim = shares[r - first_row];
            }
        }
    }
    std::sort(rows.begin(), rows.end(),
              [](const PsexRow& a, const PsexRow& b) { return a.individual < b.individual; });
    return rows;
}

}  // namespace kelvane
