// The spatial analyses of genets against the values RClone 1.0.3 gives for its Posidonia
// oceanica example (40 ramets of 28 genets on a plane, clonal_sub, agg_index, edge_effect), the
// coordinates file and its errors, and the great-circle distance.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "common/core/fatal_error.hpp"
#include "kelvane/spatial/aggregation_index.hpp"
#include "kelvane/spatial/clonal_subrange.hpp"
#include "kelvane/spatial/coordinates.hpp"
#include "kelvane/spatial/edge_effect.hpp"
#include "kelvane/spatial/kinship_correlogram.hpp"
#include "kelvane/spatial/loiselle_kinship.hpp"
#include "support/distance_test_data.hpp"

namespace kelvane {
namespace {

// The example's coordinates and its multilocus genotypes (identical data), ramet by ramet.
struct Posidonia {
    MarkerData data;  // 7 diploid microsatellite loci
    Coordinates coordinates;
    std::vector<int32_t> genets;
    std::vector<int> all;
};

Posidonia posidonia() {
    Posidonia example;
    const std::vector<std::vector<int32_t>> alleles{
        {137, 161, 182, 188, 212, 216, 234, 234, 165, 165, 170, 172, 178, 178},
        {139, 171, 182, 182, 222, 226, 234, 242, 159, 163, 168, 172, 178, 180},
        {161, 161, 182, 182, 210, 216, 234, 234, 159, 163, 168, 172, 178, 178},
        {161, 161, 182, 182, 210, 216, 234, 234, 159, 163, 168, 172, 178, 178},
        {161, 161, 182, 182, 210, 216, 234, 234, 159, 163, 168, 172, 178, 178},
        {161, 161, 182, 182, 210, 216, 234, 234, 159, 163, 168, 172, 178, 178},
        {161, 161, 182, 182, 210, 216, 234, 234, 159, 163, 168, 172, 178, 178},
        {161, 161, 182, 182, 210, 216, 234, 234, 159, 163, 168, 170, 178, 178},
        {137, 157, 182, 188, 208, 210, 234, 234, 159, 159, 168, 170, 178, 178},
        {137, 157, 174, 180, 208, 210, 234, 234, 159, 159, 168, 170, 178, 178},
        {137, 157, 182, 188, 208, 208, 234, 234, 159, 159, 168, 170, 178, 178},
        {137, 157, 182, 188, 208, 208, 234, 234, 159, 159, 168, 170, 178, 178},
        {137, 137, 182, 182, 208, 208, 234, 234, 159, 159, 168, 170, 178, 178},
        {151, 151, 182, 188, 212, 216, 234, 236, 159, 159, 172, 172, 178, 178},
        {137, 157, 182, 188, 208, 208, 234, 234, 159, 159, 168, 170, 178, 178},
        {151, 157, 182, 182, 210, 216, 234, 234, 159, 159, 168, 168, 178, 180},
        {157, 161, 188, 188, 216, 218, 234, 236, 159, 159, 168, 168, 178, 180},
        {157, 161, 188, 188, 216, 218, 234, 236, 159, 159, 168, 168, 178, 180},
        {157, 161, 188, 188, 216, 218, 234, 236, 159, 159, 168, 168, 178, 180},
        {157, 161, 188, 188, 216, 218, 234, 236, 159, 159, 168, 170, 178, 180},
        {157, 161, 182, 188, 208, 208, 234, 234, 159, 165, 170, 170, 178, 178},
        {157, 161, 182, 188, 208, 208, 234, 234, 159, 159, 168, 170, 178, 178},
        {157, 157, 188, 188, 216, 218, 234, 234, 159, 159, 168, 170, 178, 180},
        {157, 157, 188, 188, 216, 218, 234, 234, 159, 159, 168, 170, 178, 180},
        {157, 157, 188, 188, 216, 218, 234, 234, 159, 159, 168, 172, 178, 180},
        {157, 157, 188, 188, 216, 218, 234, 234, 159, 159, 168, 170, 178, 180},
        {159, 159, 182, 188, 210, 216, 234, 236, 159, 159, 172, 172, 180, 180},
        {157, 161, 188, 188, 216, 218, 234, 236, 159, 159, 168, 170, 178, 180},
        {157, 161, 182, 188, 212, 216, 234, 234, 159, 159, 168, 170, 178, 178},
        {157, 157, 188, 188, 216, 218, 234, 234, 159, 159, 168, 170, 178, 180},
        {157, 161, 188, 188, 216, 218, 234, 236, 159, 163, 170, 170, 178, 180},
        {151, 161, 182, 188, 212, 216, 234, 234, 159, 163, 170, 170, 178, 178},
        {137, 151, 182, 182, 210, 212, 234, 234, 163, 163, 170, 172, 178, 180},
        {151, 151, 182, 182, 210, 212, 234, 234, 163, 165, 170, 170, 178, 178},
        {151, 161, 182, 188, 216, 218, 234, 236, 163, 163, 170, 172, 178, 180},
        {137, 151, 182, 188, 210, 218, 234, 234, 163, 163, 170, 172, 178, 178},
        {151, 161, 182, 188, 216, 218, 234, 236, 163, 165, 168, 172, 178, 180},
        {157, 157, 182, 188, 212, 216, 234, 234, 163, 163, 170, 170, 180, 180},
        {137, 151, 182, 188, 210, 218, 234, 236, 163, 163, 170, 172, 178, 178},
        {139, 151, 182, 182, 208, 216, 234, 234, 159, 163, 170, 172, 178, 178},
    };
    std::vector<testing::Individual> ramets;
    for (const std::vector<int32_t>& row : alleles) {
        testing::Individual ramet;
        for (std::size_t k = 0; k < row.size(); k += 2) {
            ramet.push_back({row[k], row[k + 1]});
        }
        ramets.push_back(ramet);
    }
    example.data = testing::markers(2, ramets);
    example.coordinates.x = {0,    2,    3.5,  4,    4.5,  4.5,  7.5,  9.5,  13.5, 14,
                             16.5, 18,   19.5, 20,   24.5, 26,   26.5, 31,   31.5, 34.5,
                             31.5, 37.5, 38,   38.5, 39.5, 39.5, 40,   40.5, 41.5, 41.5,
                             47,   47.5, 52,   63,   65.5, 70,   70.5, 70.5, 73,   76};
    example.coordinates.y = {10,  10,  5.5,  3,    4.5,  12.5, 6.5,  13,   2.5,  2.5,
                             4.5, 5,   8.5,  3.5,  9.5,  12.5, 5.5,  14.5, 11.3, 10.5,
                             6,   1.5, 12,   10.5, 9.5,  11.5, 13.5, 0.5,  10,   7,
                             16,  13,  11.5, 17.1, 18.5, 9.5,  4,    12.5, 6.5,  12.5};
    // The genotypes' ramets as RClone lists them: {3 4 5 6 7}, {11 12 15}, {17 18 19}, {20 28},
    // {23 24 26 30}; every other ramet alone.
    const std::vector<std::vector<int>> shared{
        {3, 4, 5, 6, 7}, {11, 12, 15}, {17, 18, 19}, {20, 28}, {23, 24, 26, 30}};
    example.genets.assign(40, 0);
    int32_t next = 1;
    for (int unit = 1; unit <= 40; ++unit) {
        if (example.genets[static_cast<std::size_t>(unit - 1)] != 0) {
            continue;
        }
        example.genets[static_cast<std::size_t>(unit - 1)] = next;
        for (const std::vector<int>& genet : shared) {
            if (genet.front() == unit) {
                for (const int other : genet) {
                    example.genets[static_cast<std::size_t>(other - 1)] = next;
                }
            }
        }
        ++next;
    }
    for (int i = 0; i < 40; ++i) {
        example.all.push_back(i);
    }
    return example;
}

void expect_classes(const SubrangeResult& result, const std::vector<int64_t>& pairs,
                    const std::vector<double>& means, const std::vector<double>& shares) {
    ASSERT_EQ(result.classes.size(), pairs.size());
    for (std::size_t c = 0; c < pairs.size(); ++c) {
        const SubrangeClass& klass = result.classes[c];
        EXPECT_EQ(klass.pairs, pairs[c]) << c;
        EXPECT_NEAR(klass.distance_sum / static_cast<double>(klass.pairs), means[c], 1e-9) << c;
        EXPECT_NEAR(static_cast<double>(klass.same_genet) / static_cast<double>(klass.pairs),
                    shares[c], 1e-12)
            << c;
    }
}

TEST(Spatial, SubrangeAsRCloneGivesItForTheExample) {
    const Posidonia example = posidonia();
    // clonal_sub(posidonia, coords): ten classes of equal width.
    const SubrangeResult equal_width =
        clonal_subrange(example.coordinates, example.genets, example.all, {});
    expect_classes(equal_width, {97, 157, 119, 110, 121, 64, 34, 29, 31, 18},
                   {4.6837118824742268, 11.148113924840764, 18.807914009243696, 26.648255654545455,
                    34.206495487603306, 41.524146343749997, 49.568560258823531, 57.055830051724136,
                    64.657150074193552, 70.912178222222224},
                   {0.16494845360824742, 0.044585987261146494, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(equal_width.subrange.has_value());
    EXPECT_NEAR(*equal_width.subrange, 11.6619038, 1e-12);
    EXPECT_NEAR(equal_width.classes[9].to, 76.0411073, 1e-12);
    // class2 = TRUE, d = 6: 780 pairs in classes of 130.
    ClassSettings pairs;
    pairs.classes = 6;
    pairs.equal_pairs = true;
    expect_classes(clonal_subrange(example.coordinates, example.genets, example.all, pairs),
                   {130, 130, 130, 130, 130, 130},
                   {5.5851367419624367, 12.081830186380897, 19.556751658835438, 28.474704030843128,
                    37.100613861442667, 57.134010658961692},
                   {0.14615384615384616, 0.030769230769230771, 0, 0, 0, 0});
    // vecdist = c(0, 5, 20, 80).
    ClassSettings limits;
    limits.limits = {0, 5, 20, 80};
    expect_classes(clonal_subrange(example.coordinates, example.genets, example.all, limits),
                   {49, 280, 451}, {3.1162409408163265, 11.932330256785715, 38.35376463525499},
                   {0.26530612244897961, 0.035714285714285712, 0});
    limits.limits = {0, 5, 20};
    EXPECT_THROW(clonal_subrange(example.coordinates, example.genets, example.all, limits),
                 clonal::SettingError);
}

TEST(Spatial, AggregationAndEdgeEffectAsRCloneGivesThem) {
    const Posidonia example = posidonia();
    clonal::Random random;
    // Two ramets find their nearest neighbour in a tie, one pair from both ends (weights 1/2 and
    // 1): RClone's Psp of 0.75 counts them as it does.
    const AggregationResult ac =
        aggregation_index(example.coordinates, example.genets, example.all, 999, random);
    EXPECT_NEAR(ac.psg, 0.97051282051282051, 1e-12);
    EXPECT_NEAR(ac.psp, 0.75, 1e-12);
    EXPECT_NEAR(ac.ac, 0.22721268163804492, 1e-12);
    EXPECT_LE(ac.p, 0.01);  // RClone: 0 of 999
    const EdgeResult ee = edge_effect(example.coordinates, example.genets, example.all,
                                      centroid(example.coordinates, example.all), 999, random);
    EXPECT_NEAR(ee.du, 22.098233310436871, 1e-12);
    EXPECT_NEAR(ee.da, 18.756857698931547, 1e-12);
    EXPECT_NEAR(ee.ee, 0.1781415450891681, 1e-12);
    EXPECT_GT(ee.p, 0.005);  // RClone: 0.036 from 999
    EXPECT_LT(ee.p, 0.1);
}

void expect_correlogram(const CorrelogramResult& result, const std::vector<int64_t>& pairs,
                        const std::vector<double>& distances, const std::vector<double>& kinship,
                        const std::vector<double>& summary) {
    ASSERT_EQ(result.classes.size(), pairs.size());
    for (std::size_t c = 0; c < pairs.size(); ++c) {
        const CorrelogramClass& klass = result.classes[c];
        const auto count = static_cast<double>(klass.pairs);
        EXPECT_EQ(klass.pairs, pairs[c]) << c;
        EXPECT_NEAR(klass.distance_sum / count, distances[c], 1e-9) << c;
        EXPECT_NEAR(klass.kinship_sum / count, kinship[c], 1e-12) << c;
    }
    EXPECT_NEAR(result.b, summary[0], 1e-12);
    EXPECT_NEAR(result.b_log, summary[1], 1e-12);
    EXPECT_NEAR(result.sp, summary[2], 1e-12);
    EXPECT_NEAR(result.sp_log, summary[3], 1e-12);
}

TEST(Spatial, KinshipCorrelogramAsRCloneGivesIt) {
    const Posidonia example = posidonia();
    const LoiselleKinship kinship(example.data, example.all);
    EXPECT_NEAR(kinship(1, 0), -0.037772276456941783, 1e-14);
    EXPECT_NEAR(kinship(4, 2), 0.48539295519537479, 1e-14);
    EXPECT_NEAR(kinship(39, 0), 0.096709068356506361, 1e-14);
    const std::vector<int64_t> ten{97, 157, 119, 110, 121, 64, 34, 29, 31, 18};
    const std::vector<double> ten_distances{
        4.6837116494845361, 11.148114076433121, 18.807914033613447, 26.648255272727273,
        34.206495537190079, 41.524146250000001, 49.56855970588235,  57.055830344827584,
        64.657149354838708, 70.912178888888889};
    clonal::Random random;
    // autocorrelation(Loiselle = TRUE, nbrepeat = 999): ramets, ten classes.
    const CorrelogramResult ramets =
        kinship_correlogram(example.data, example.coordinates, example.genets, example.all,
                            KinshipLevel::kRamets, {}, 999, random, 2);
    expect_correlogram(ramets, ten, ten_distances,
                       {0.1969698647789035750, 0.0783764009533992057, -0.0069840694152074967,
                        -0.0695140484201159509, -0.1417574485400675821, -0.0979660033942111597,
                        -0.0539312615762047309, -0.0368674398223685362, 0.0263999781688302772,
                        0.1088269673132736953},
                       {-0.00098841357305757367, -0.061869942936424963, 0.0012308548953588597,
                        0.077045605417274232});
    // RClone's p-values from 999 permutations: 0, 0, 0.76, 0.002, 0, 0, 0.13, 0.32, 0.37, 0.014.
    EXPECT_LE(ramets.classes[0].p, 0.01);
    EXPECT_GT(ramets.classes[2].p, 0.5);
    EXPECT_GT(ramets.classes[8].p, 0.1);
    EXPECT_LE(ramets.classes[4].p, 0.01);
    // genet = TRUE, weighted = TRUE: the same pairs, weighted.
    expect_correlogram(
        kinship_correlogram(example.data, example.coordinates, example.genets, example.all,
                            KinshipLevel::kGenetsWeighted, {}, 0, random, 1),
        ten, ten_distances,
        {0.044930371266390469, 0.027626915684352094, 0.015004334314519974, -0.022758236136254724,
         -0.038549306928365862, -0.038198401762498634, -0.023305939686351435, -0.036420700595773597,
         0.022744663543001292, 0.068393989143829562},
        {-7.7825010014980918e-05, -0.013431385776296495, 8.1486215950740971e-05,
         0.014063252952673267});
    // genet = TRUE, central_coords = TRUE: 28 genets at their centroids.
    expect_correlogram(
        kinship_correlogram(example.data, example.coordinates, example.genets, example.all,
                            KinshipLevel::kGenetsCentral, {}, 0, random, 1),
        {40, 69, 61, 54, 54, 32, 23, 19, 16, 10},
        {4.7225922499999999, 11.049091014492754, 18.865356393442625, 27.031623333333332,
         34.138039259259259, 41.630221562499997, 49.740384347826087, 56.624401578947371,
         64.319671249999999, 71.432308000000006},
        {0.108945325137495927, 0.073241153606309076, 0.025389417186861926, -0.046144721233689186,
         -0.079611057191128376, -0.071220883209317340, -0.081673301168891377, -0.073459449335081389,
         0.012641539954707230, 0.071239081203493981},
        {-0.0011081157306827602, -0.049263922470049078, 0.0012436001537770396,
         0.055287204994071595});
    // class2 = TRUE, d = 5: five classes of 156 pairs, distances unrounded.
    ClassSettings pairs;
    pairs.classes = 5;
    pairs.equal_pairs = true;
    expect_correlogram(
        kinship_correlogram(example.data, example.coordinates, example.genets, example.all,
                            KinshipLevel::kRamets, pairs, 0, random, 1),
        {156, 156, 156, 156, 156},
        {6.2390795816078315, 14.057825131591383, 24.099207998574677, 34.376837986711081,
         54.504588583536915},
        {0.163550249588831492, 0.046467796713020690, -0.053194738373868643, -0.136141721689855638,
         -0.024620606478703538},
        {-0.003898638710930334, -0.11230865066741245, 0.0046609359486495198, 0.13426825773120929});
}

TEST(Spatial, GenetLevelsOfGenetsOfOneRametAreTheRamets) {
    // The first ramet of every genet: each genet has one ramet, so that its centroid and its
    // random ramet are the ramet's place and no draw is made; the three levels then give the
    // same correlogram, the permutations included (those under genets-random classify every
    // permuted placement anew).
    const Posidonia example = posidonia();
    std::vector<int> firsts;
    std::vector<bool> seen(41, false);
    for (const int i : example.all) {
        if (!seen[static_cast<std::size_t>(example.genets[static_cast<std::size_t>(i)])]) {
            seen[static_cast<std::size_t>(example.genets[static_cast<std::size_t>(i)])] = true;
            firsts.push_back(i);
        }
    }
    ASSERT_EQ(firsts.size(), 28U);
    const auto run = [&](KinshipLevel level) {
        clonal::Random random;
        return kinship_correlogram(example.data, example.coordinates, example.genets, firsts, level,
                                   {}, 199, random, 2);
    };
    const CorrelogramResult ramets = run(KinshipLevel::kRamets);
    for (const KinshipLevel level : {KinshipLevel::kGenetsCentral, KinshipLevel::kGenetsRandom,
                                     KinshipLevel::kGenetsWeighted}) {
        const CorrelogramResult other = run(level);
        ASSERT_EQ(other.classes.size(), ramets.classes.size());
        for (std::size_t c = 0; c < ramets.classes.size(); ++c) {
            EXPECT_EQ(other.classes[c].pairs, ramets.classes[c].pairs);
            EXPECT_DOUBLE_EQ(other.classes[c].kinship_sum, ramets.classes[c].kinship_sum);
            EXPECT_EQ(other.classes[c].p, ramets.classes[c].p) << c;
        }
        EXPECT_EQ(other.permuted, ramets.permuted);
    }
}

TEST(Spatial, CoordinatesFileAndGreatCircles) {
    const std::vector<std::string> names{"a", "b", "c"};
    const Coordinates read =
        read_coordinates("name\tlon\tlat\nb\t0\t1\nz\t5\t5\na\t0\t0\n", names, true);
    EXPECT_EQ(uncoordinated(read), (std::vector<int>{2}));
    // One degree of latitude on a sphere of 6371 km.
    EXPECT_NEAR(read.distance(0, 1), 6371.0 * std::numbers::pi / 180.0, 1e-9);
    const auto message = [&](const std::string& content, bool geographic) {
        try {
            read_coordinates(content, names, geographic);
        } catch (const clonal::FatalError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_NE(message("name\tx\ty\na\t1\tnorth\n", false).find("the y of 'a' is not a number"),
              std::string::npos);
    EXPECT_NE(message("name\tx\ty\na\t1\t95\n", true).find("latitude of 'a' is 95"),
              std::string::npos);
    EXPECT_NE(message("name\tx\na\t1\n", false).find("a coordinates file has two"),
              std::string::npos);
}

}  // namespace
}  // namespace kelvane
