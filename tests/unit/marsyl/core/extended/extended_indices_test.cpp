// The extended indices against published values and the peers' definitions, and the samples on
// which some of them are undefined.
//
// Reference values not published to full precision were computed with R 4 and vegan 2.6-4 from
// the definitions (our own script): H, lambda and E5 by vegan's diversity(); R, J, simpson, hill
// and V as RClone's clonal_index defines them, (D - Dmin) / (Dmax - Dmin) for V.
#include "marsyl/core/extended/extended_indices.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/clone_size_fixtures.hpp"
#include "support/peer_values.hpp"

namespace marsyl {
namespace {

using testing_support::expect_peer_value;
using testing_support::expect_plain_zero;
using testing_support::expect_undefined;

struct Expected {
    std::vector<int64_t> sizes;
    int64_t n, g;
    double r, h, j, simpson, hill, v, lambda, e5;
};

void expect_indices(const Expected& e, const std::string& name) {
    const ExtendedIndices x = extended_indices(spectrum_of_sizes(e.sizes));
    EXPECT_EQ(x.individuals, e.n) << name;
    EXPECT_EQ(x.genotypes, e.g) << name;
    expect_peer_value(e.r, x.richness, name + " R");
    expect_peer_value(e.h, x.shannon, name + " H");
    expect_peer_value(e.j, x.pielou, name + " J");
    expect_peer_value(e.simpson, x.simpson, name + " simpson");
    expect_peer_value(e.hill, x.hill, name + " hill");
    expect_peer_value(e.v, x.evenness, name + " V");
    expect_peer_value(e.lambda, x.lambda, name + " lambda");
    expect_peer_value(e.e5, x.e5, name + " E5");
}

TEST(ExtendedIndices, SeagrassSampleGivesRClonesPublishedValues) {
    // Published to 7 digits: N 40, G 28, R 0.6923077 (= 9/13), H 3.149621, J 0.9452064,
    // simpson 0.9705128, V 0.7921811, Hill 33.91304 (= 780/23).
    expect_indices({testing_support::seagrass_clone_sizes(), 40, 28, 9.0 / 13.0,
                    3.14962107661947099, 0.94520641425272767, 0.97051282051282051, 780.0 / 23.0,
                    0.79218106995884852, 0.94625, 0.78848366543860982},
                   "seagrass");
}

TEST(ExtendedIndices, PopulationsOfPopprsPublishedTable) {
    // Clone sizes that reproduce poppr's printed rows (N, H, lambda, E.5 to 3 digits) of the
    // Salmon, Tahoe and Skwawka populations of its Poptri example.
    expect_indices({{3, 2, 2, 1, 1, 1, 1},
                    11,
                    7,
                    0.6,
                    1.84622021932163349,
                    0.94876951035890511,
                    10.0 / 11.0,
                    11.0,
                    0.72916666666666641,
                    0.82644628099173556,
                    0.89244000975612425},
                   "Salmon");
    expect_indices({{3, 2, 1, 1, 1, 1, 1, 1, 1},
                    12,
                    9,
                    8.0 / 11.0,
                    2.09472904752764855,
                    0.95335227410716916,
                    31.0 / 33.0,
                    16.5,
                    0.5,
                    0.86111111111111116,
                    0.87039048183387457},
                   "Tahoe");
    expect_indices({{5, 3, 2, 2, 1, 1},
                    14,
                    6,
                    5.0 / 13.0,
                    1.63079910458564337,
                    0.91016631003950643,
                    76.0 / 91.0,
                    91.0 / 15.0,
                    0.7875,
                    0.77551020408163263,
                    0.84094045746140755},
                   "Skwawka");
    // poppr's column G, Stoddart and Taylor's 1 / sum p^2 = N^2 / sum n_i^2.
    expect_peer_value(121.0 / 21.0,
                      extended_indices(spectrum_of_sizes({3, 2, 2, 1, 1, 1, 1})).stoddart_taylor,
                      "Salmon G");
    expect_peer_value(
        7.2, extended_indices(spectrum_of_sizes({3, 2, 1, 1, 1, 1, 1, 1, 1})).stoddart_taylor,
        "Tahoe G");
    expect_peer_value(196.0 / 44.0,
                      extended_indices(spectrum_of_sizes({5, 3, 2, 2, 1, 1})).stoddart_taylor,
                      "Skwawka G");
}

TEST(ExtendedIndices, OneCloneHoldingEveryCloneMateHasEvennessExactlyZero) {
    // 9, 1, 1, 1 is the least even sample of N 12 and G 4: V is 0, where the difference form
    // leaves 1.5e-16 in R.
    const ExtendedIndices x = extended_indices(spectrum_of_sizes({9, 1, 1, 1}));
    expect_plain_zero(x.evenness, "V");
    expect_peer_value(0.8369882167858358, x.shannon, "H");
    expect_peer_value(0.5455056719931598, x.e5, "E5");
}

TEST(ExtendedIndices, UndefinedValuesOfDegenerateSamples) {
    // One individual: RClone's R of 1 for G = N; J, simpson, hill, V and E5 are 0 / 0.
    ExtendedIndices x = extended_indices(spectrum_of_sizes({1}));
    EXPECT_EQ(x.richness, 1.0);
    expect_plain_zero(x.shannon, "H of one individual");
    expect_plain_zero(x.lambda, "lambda of one individual");
    for (const double value : {x.pielou, x.simpson, x.hill, x.evenness, x.e5}) {
        expect_undefined(value, "one individual");
    }

    // Every individual its own clone: H = ln N and lambda = 1 - 1/N as poppr gives them, simpson
    // exactly 1, E5 1; J and V are undefined as in RClone and hill would be 1 / 0.
    x = extended_indices(spectrum_of_sizes({1, 1, 1, 1, 1}));
    EXPECT_EQ(x.richness, 1.0);
    expect_peer_value(1.6094379124341003, x.shannon, "H of singletons");
    EXPECT_EQ(x.simpson, 1.0);
    expect_peer_value(0.8, x.lambda, "lambda of singletons");
    expect_peer_value(1.0, x.e5, "E5 of singletons");
    for (const double value : {x.pielou, x.hill, x.evenness}) {
        expect_undefined(value, "singletons");
    }

    // One clone of 6: no diversity at all, hill 1; J, V and E5 are 0 / 0.
    x = extended_indices(spectrum_of_sizes({6}));
    for (const double value : {x.richness, x.shannon, x.simpson, x.lambda}) {
        expect_plain_zero(value, "one clone");
    }
    EXPECT_EQ(x.hill, 1.0);
    for (const double value : {x.pielou, x.evenness, x.e5}) {
        expect_undefined(value, "one clone");
    }

    // A population without individuals: nothing is defined.
    x = extended_indices(spectrum_of_sizes({}));
    EXPECT_EQ(x.individuals, 0);
    for (const double value :
         {x.richness, x.shannon, x.pielou, x.simpson, x.hill, x.evenness, x.lambda, x.e5}) {
        expect_undefined(value, "no individuals");
    }
}

}  // namespace
}  // namespace marsyl
