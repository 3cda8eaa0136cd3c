// Pgen and Psex against the worked values of the peers' definitions: Parks & Werth's published
// genotypes (user frequencies, single encounter), and two small fixtures of our own whose values
// were computed with an independent script of poppr's and RClone's definitions (round-robin
// frequencies with either rare-allele fill, ramet and genet frequencies, Fis, the single and
// multiple-encounter rules).
#include "kelvane/evidence/psex/psex.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numeric>
#include <vector>

#include "kelvane/evidence/psex/genotype_probability.hpp"
#include "kelvane/evidence/psex/inbreeding.hpp"
#include "kelvane/evidence/psex/psex_simulation.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

using testing::markers;

void expect_relative(double actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-12 * std::fabs(expected)) << "expected " << expected;
}

// Diploid, 3 loci: s1 = s2 = s3; s6 differs from s4 only at locus 3, so the round robin of
// locus 3 drops s6 and its allele 3 takes the fill.
MarkerData fixture_p2() {
    return markers(2, {{{1, 1}, {1, 2}, {1, 1}},
                       {{1, 1}, {1, 2}, {1, 1}},
                       {{1, 1}, {1, 2}, {1, 1}},
                       {{1, 2}, {2, 2}, {1, 2}},
                       {{2, 2}, {1, 1}, {2, 2}},
                       {{1, 2}, {2, 2}, {1, 3}}});
}

// Haploid, 3 loci: h1 = h2 = h5; h6 differs from h4 only at locus 1.
MarkerData fixture_h1() {
    return markers(1, {{{1}, {1}, {2}},
                       {{1}, {1}, {2}},
                       {{1}, {2}, {2}},
                       {{2}, {2}, {1}},
                       {{1}, {1}, {2}},
                       {{3}, {2}, {1}}});
}

std::vector<int32_t> identical_data(const GenotypeIdentity& identity) {
    std::vector<int32_t> genotypes = identity.multilocus_genotypes().class_of;
    for (int32_t& genotype : genotypes) {
        ++genotype;
    }
    return genotypes;
}

// Individual (from 0) -> row of the table.
std::map<int, PsexRow> table(const MarkerData& data, const PsexSettings& settings) {
    const GenotypeIdentity identity(data);
    clonal::Random random;
    std::map<int, PsexRow> rows;
    for (const PsexRow& row :
         psex_table(data, identity, identical_data(identity), settings, random)) {
        rows.emplace(row.individual, row);
    }
    return rows;
}

// The Pgen of every individual with the frequencies of the whole data set.
std::vector<double> pgens(const MarkerData& data, FrequencySource source, RareAlleleFill fill) {
    const GenotypeIdentity identity(data);
    const std::vector<int32_t> genotypes = identical_data(identity);
    const FrequencyEstimator estimator(data, identity, genotypes, source, fill);
    std::vector<int> everyone;
    for (int i = 0; i < data.n_individuals; ++i) {
        everyone.push_back(i);
    }
    const FrequencySet frequencies = estimator.for_group(everyone);
    const GenotypeProbability probability(data.max_ploidy);
    std::vector<double> values;
    for (const int i : everyone) {
        values.push_back(probability.multilocus(data, i, frequencies));
    }
    return values;
}

TEST(Psex, ParksAndWerthGenotypesWithTheirFrequencies) {
    // Parks & Werth (1993), Table 2: six diploid loci, G = 45, one encounter.
    const std::vector<LocusFrequencies> loci{
        {{1, 2, 3}, {0.167, 0.795, 0.038}}, {{1, 2, 3}, {0.190, 0.798, 0.012}},
        {{1, 2, 9}, {0.967, 0.022, 0.011}}, {{2, 3, 4, 5}, {0.279, 0.529, 0.162, 0.029}},
        {{1, 2, 3}, {0.128, 0.385, 0.487}}, {{1, 2, 3}, {0.526, 0.051, 0.423}}};
    const GenotypeProbability probability(2);
    const auto pgen = [&](const std::vector<std::vector<int32_t>>& genotype) {
        double product = 1.0;
        for (std::size_t l = 0; l < loci.size(); ++l) {
            product *= *probability.locus(genotype[l], loci[l]);
        }
        return product;
    };
    const double first = pgen({{1, 2}, {1, 2}, {1, 2}, {2, 3}, {2, 2}, {1, 1}});
    const double second = pgen({{2, 2}, {2, 2}, {1, 1}, {2, 2}, {3, 3}, {1, 1}});
    const double third = pgen({{2, 3}, {2, 2}, {1, 1}, {3, 3}, {1, 3}, {1, 3}});
    expect_relative(first, 4.14726753733799e-05);
    expect_relative(second, 0.00192234266749449);
    expect_relative(third, 0.000558567714432373);
    expect_relative(psex_value(PsexMethod::kSingle, first, 1, 100, 45), 0.00186456862059092);
    expect_relative(psex_value(PsexMethod::kSingle, second, 1, 100, 45), 0.0829457730256321);
    expect_relative(psex_value(PsexMethod::kSingle, third, 1, 100, 45), 0.024829127718338);
}

TEST(Psex, RoundRobinFrequenciesFillTheAlleleTheSubsetLacks) {
    const MarkerData data = fixture_p2();
    const GenotypeIdentity identity(data);
    const std::vector<int32_t> genotypes = identical_data(identity);
    const std::vector<int> everyone{0, 1, 2, 3, 4, 5};
    for (const auto& [fill, filled] : {std::pair{RareAlleleFill::kSamples, 1.0 / 6.0},
                                       std::pair{RareAlleleFill::kGenets, 1.0 / 8.0}}) {
        const FrequencySet set =
            FrequencyEstimator(data, identity, genotypes, FrequencySource::kRoundRobin, fill)
                .for_group(everyone);
        EXPECT_EQ(set.loci[0].frequencies, (std::vector<double>{0.5, 0.5}));
        EXPECT_EQ(set.loci[1].frequencies, (std::vector<double>{3.0 / 8.0, 5.0 / 8.0}));
        EXPECT_EQ(set.loci[2].frequencies, (std::vector<double>{0.5, 0.5, filled}));
        EXPECT_EQ(set.samples[2], (std::vector<int>{0, 3, 4}));
    }
    const std::vector<double> poppr =
        pgens(data, FrequencySource::kRoundRobin, RareAlleleFill::kSamples);
    const std::vector<double> rclone =
        pgens(data, FrequencySource::kRoundRobin, RareAlleleFill::kGenets);
    expect_relative(poppr[0], 0.029296875);
    expect_relative(poppr[3], 0.09765625);
    expect_relative(poppr[4], 0.0087890625);
    expect_relative(poppr[5], 0.03255208333333333);
    expect_relative(rclone[5], 0.0244140625);
}

TEST(Psex, SingleAndMultipleEncountersAsPopprAndRCloneGiveThem) {
    const MarkerData data = fixture_p2();
    PsexSettings settings;
    settings.fill = RareAlleleFill::kSamples;
    settings.method = PsexMethod::kSingle;
    auto rows = table(data, settings);
    // Only the three copies of s1 share a genotype.
    ASSERT_EQ(rows.size(), 3u);
    for (const int i : {0, 1, 2}) {
        EXPECT_EQ(rows.at(i).rank, i + 1);
        expect_relative(rows.at(i).psex, 0.11213750483875629);
        EXPECT_TRUE(std::isnan(rows.at(i).p_sim));
    }
    settings.method = PsexMethod::kMultiple;
    rows = table(data, settings);
    expect_relative(rows.at(0).psex, 0.8366013605777117);
    expect_relative(rows.at(1).psex, 0.15149722827362988);
    expect_relative(rows.at(2).psex, 0.011430877384831228);
    // RClone's round robin fills with 1/(2G); s1's loci do not need the fill.
    settings.fill = RareAlleleFill::kGenets;
    rows = table(data, settings);
    expect_relative(rows.at(1).psex, 0.15149722827362988);
    expect_relative(rows.at(2).psex, 0.011430877384831228);
}

TEST(Psex, RametAndGenetFrequenciesWithAndWithoutFis) {
    const MarkerData data = fixture_p2();
    const GenotypeIdentity identity(data);
    const std::vector<int32_t> genotypes = identical_data(identity);
    const std::vector<int> everyone{0, 1, 2, 3, 4, 5};
    const auto fis = [&](FrequencySource source) {
        return locus_fis(
            data, FrequencyEstimator(data, identity, genotypes, source, RareAlleleFill::kGenets)
                      .for_group(everyone));
    };
    const std::vector<double> ramet = fis(FrequencySource::kRamets);
    expect_relative(ramet[0], 0.3125);
    expect_relative(ramet[1], 0.0571428571428569);
    expect_relative(ramet[2], 0.37142857142857144);
    const std::vector<double> genet = fis(FrequencySource::kGenets);
    expect_relative(genet[0], 0.125);
    expect_relative(genet[1], 0.5333333333333333);
    expect_relative(genet[2], 0.26315789473684204);
    // The round robin of locus 3 keeps three individuals and the filled frequency 1/8.
    expect_relative(fis(FrequencySource::kRoundRobin)[2], 0.4265232974910394);

    PsexSettings settings;
    settings.frequencies = FrequencySource::kRamets;
    auto rows = table(data, settings);
    expect_relative(rows.at(0).pgen, 0.09602194787379972);
    expect_relative(rows.at(1).psex, 0.3477852775202369);
    expect_relative(rows.at(2).psex, 0.09235572620036642);
    settings.fis = true;
    rows = table(data, settings);
    expect_relative(rows.at(0).pgen, 0.12412184009406232);
    expect_relative(rows.at(1).psex, 0.38389984985290077);
    expect_relative(rows.at(2).psex, 0.13600737510310099);
    settings.frequencies = FrequencySource::kGenets;
    rows = table(data, settings);
    expect_relative(rows.at(0).pgen, 0.01942845394736842);
    expect_relative(rows.at(1).psex, 0.1056783264168053);
    expect_relative(rows.at(2).psex, 0.005234616755628527);
    settings.frequencies = FrequencySource::kRoundRobin;
    rows = table(data, settings);
    expect_relative(rows.at(0).pgen, 0.021941154233870965);
    expect_relative(rows.at(1).psex, 0.11782451128925917);
    expect_relative(rows.at(2).psex, 0.0066080016195320885);
    settings.fis = false;
    settings.frequencies = FrequencySource::kGenets;
    rows = table(data, settings);
    expect_relative(rows.at(0).pgen, 0.029296875);
    expect_relative(rows.at(2).psex, 0.011430877384831228);
}

TEST(Psex, HaploidData) {
    const MarkerData data = fixture_h1();
    const std::vector<double> poppr =
        pgens(data, FrequencySource::kRoundRobin, RareAlleleFill::kSamples);
    const std::vector<double> rclone =
        pgens(data, FrequencySource::kRoundRobin, RareAlleleFill::kGenets);
    expect_relative(poppr[0], 1.0 / 9.0);
    expect_relative(poppr[2], 2.0 / 9.0);
    expect_relative(poppr[5], 1.0 / 18.0);
    expect_relative(rclone[5], 1.0 / 12.0);
    PsexSettings settings;
    settings.fill = RareAlleleFill::kSamples;
    auto rows = table(data, settings);
    ASSERT_EQ(rows.size(), 3u);
    expect_relative(rows.at(0).psex, 0.49327018427257197);
    expect_relative(rows.at(1).psex, 0.369952638204429);
    expect_relative(rows.at(4).psex, 0.11561019943888406);
    EXPECT_EQ(rows.at(4).rank, 3);
    settings.method = PsexMethod::kSingle;
    rows = table(data, settings);
    expect_relative(rows.at(4).psex, 0.375704923030026);
}

TEST(Psex, ByPopulationCountsRanksAndFrequenciesWithinEachPopulation) {
    // The fixture twice over, as two populations: each behaves as the fixture alone.
    MarkerData data = fixture_p2();
    const MarkerData half = fixture_p2();
    data.n_individuals = 12;
    data.n_populations = 2;
    std::vector<int32_t> copies;  // locus by locus, the first half's individuals then the second's
    for (int locus = 0; locus < half.n_loci; ++locus) {
        for (const MarkerData* part : {&half, &half}) {
            for (int i = 0; i < part->n_individuals; ++i) {
                const auto genotype = part->locus_genotype(i, locus);
                copies.insert(copies.end(), genotype.begin(), genotype.end());
            }
        }
    }
    data.copies.assign_values(copies);
    data.ind_names.insert(data.ind_names.end(), half.ind_names.begin(), half.ind_names.end());
    data.pop_vector.assign(6, 1);
    data.pop_vector.resize(12, 2);
    PsexSettings settings;
    settings.fill = RareAlleleFill::kSamples;
    settings.by_population = true;
    auto rows = table(data, settings);
    ASSERT_EQ(rows.size(), 12u);
    expect_relative(rows.at(6).psex, 0.8366013605777117);
    expect_relative(rows.at(8).psex, 0.011430877384831228);
    EXPECT_EQ(rows.at(9).rank, 1);
    settings.method = PsexMethod::kSingle;
    rows = table(data, settings);
    expect_relative(rows.at(7).psex, 0.11213750483875629);
    // G of the single rule is the population's too: a second population of two copies of s1
    // has G = 1, and its round-robin frequencies are s1's own (locus 2: alleles 1 and 2 at 1/2),
    // so pgen = 1 x 2 x 1/2 x 1/2 x 1 = 1/2 and psex = 1 - (1 - 1/2)^1 = 1/2 (the data set's
    // G = 4 would give 1 - (1/2)^4).
    MarkerData two = markers(2, {{{1, 1}, {1, 2}, {1, 1}},
                                 {{1, 1}, {1, 2}, {1, 1}},
                                 {{1, 1}, {1, 2}, {1, 1}},
                                 {{1, 2}, {2, 2}, {1, 2}},
                                 {{2, 2}, {1, 1}, {2, 2}},
                                 {{1, 2}, {2, 2}, {1, 3}},
                                 {{1, 1}, {1, 2}, {1, 1}},
                                 {{1, 1}, {1, 2}, {1, 1}}});
    two.n_populations = 2;
    two.pop_vector = {1, 1, 1, 1, 1, 1, 2, 2};
    rows = table(two, settings);
    expect_relative(rows.at(6).pgen, 0.5);
    expect_relative(rows.at(6).psex, 0.5);
    expect_relative(rows.at(7).psex, 0.5);
}

TEST(Psex, SimulatedPValuesRepeatOnAnyNumberOfThreads) {
    const MarkerData data = fixture_p2();
    const GenotypeIdentity identity(data);
    PsexSettings settings;
    settings.simulations = 300;
    std::vector<std::vector<double>> runs;
    for (const int threads : {1, 3}) {
        settings.threads = threads;
        clonal::Random random;
        std::vector<double> values;
        for (const PsexRow& row :
             psex_table(data, identity, identical_data(identity), settings, random)) {
            values.push_back(row.p_sim);
        }
        runs.push_back(values);
    }
    ASSERT_EQ(runs[0].size(), 3u);
    EXPECT_TRUE(std::isnan(runs[0][0]));
    EXPECT_GE(runs[0][1], 0.0);
    EXPECT_LE(runs[0][1], 1.0);
    // A third encounter is less likely by sex than a second.
    EXPECT_LE(runs[0][2], runs[0][1]);
    EXPECT_EQ(runs[0][1], runs[1][1]);
    EXPECT_EQ(runs[0][2], runs[1][2]);
}

// The simulated populations are drawn a chunk at a time, each from its own generator drawn in
// order: chunks of 7 and one chunk of all give the same shares, which are shares of a pool (k / N
// with the same N for every value), falling as the value falls.
TEST(Psex, SimulatedSharesAreTheSameInAnyChunks) {
    const MarkerData data = fixture_p2();
    const GenotypeIdentity identity(data);
    const std::vector<int32_t> genotypes = identical_data(identity);
    const FrequencyEstimator estimator(data, identity, genotypes, PsexSettings{}.frequencies,
                                       PsexSettings{}.fill);
    std::vector<int> members(static_cast<std::size_t>(data.n_individuals));
    std::iota(members.begin(), members.end(), 0);
    const FrequencySet frequencies = estimator.for_group(members);
    const GenotypeProbability probability(data.max_ploidy);
    const SimulationModel model{
        frequencies, {}, probability, PsexMethod::kMultiple, data.n_individuals};
    const std::vector<double> values{0.5, 0.05, std::nan(""), 0.005, 1.0};
    std::vector<std::vector<double>> shares;
    for (const int64_t chunk : {int64_t{7}, int64_t{4096}}) {
        clonal::Random random;
        shares.push_back(simulated_shares_below(model, 60, random, 2, values, chunk));
    }
    EXPECT_EQ(shares[0][0], shares[1][0]);
    EXPECT_EQ(shares[0][1], shares[1][1]);
    EXPECT_EQ(shares[0][3], shares[1][3]);
    EXPECT_EQ(shares[0][4], shares[1][4]);
    EXPECT_TRUE(std::isnan(shares[0][2]));
    EXPECT_GE(shares[0][4], shares[0][0]);
    EXPECT_GE(shares[0][0], shares[0][1]);
    EXPECT_GE(shares[0][1], shares[0][3]);
    EXPECT_GT(shares[0][4], 0.0);
}

}  // namespace
}  // namespace kelvane
