// The spatial analyses of genets against the values RClone 1.0.3 gives for its Posidonia
// oceanica example (40 ramets of 18 genets on a plane, clonal_sub, agg_index, edge_effect), the
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

namespace kelvane {
namespace {

// The example's coordinates and its multilocus genotypes (identical data), ramet by ramet.
struct Posidonia {
    Coordinates coordinates;
    std::vector<int32_t> genets;
    std::vector<int> all;
};

Posidonia posidonia() {
    Posidonia example;
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
