// Relationships: the kinship read on the data's scale, worked by hand, and the scale taken from
// the clone mates of a set of pairs.
#include "kelvane/evidence/relationship_classes.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

// 1000 shared SNPs, each sample heterozygous at 400 of them.
KinshipCounts pair_of(int32_t hethet, int32_t ibs0) {
    return {1000, hethet, ibs0, 400, 400};
}

TEST(RelationshipClasses, KinshipReadOnTheScaleOfTheData) {
    RelationshipScale scale;
    scale.compared = true;
    scale.clones.threshold = 0.05;
    scale.unrelated_kinship = -0.02;
    scale.clone_kinship = 0.43;
    scale.clone_pairs = 5;
    // HETHET 380: mismatch (800 - 760) / 2000 = 0.02, within the clone mates' threshold.
    EXPECT_EQ(relationship_of(pair_of(380, 0), scale), Relationship::kClone);
    // HETHET 300: kinship (600 - 800 + 800) / 1600 = 0.375, mismatch 0.1; scaled
    // 0.395 / 0.45 / 2 = 0.439.
    EXPECT_NEAR(scaled_kinship(pair_of(300, 0).kinship(), scale), 0.395 / 0.9, 1e-12);
    EXPECT_EQ(relationship_of(pair_of(300, 0), scale), Relationship::kFirstDegree);
    // HETHET 64: kinship 0.08, unrelated read as it is, second-degree on the data's scale
    // (0.1 / 0.9 = 0.111 > 0.0884).
    EXPECT_DOUBLE_EQ(pair_of(64, 0).kinship(), 0.08);
    EXPECT_EQ(relationship_of(pair_of(64, 0), scale), Relationship::kSecondDegree);
    EXPECT_EQ(relationship_of(pair_of(64, 0), RelationshipScale{}), Relationship::kUnrelated);
    // No heterozygous SNP in one: no kinship, and no clone mate at mismatch 0.2.
    EXPECT_EQ(relationship_of({1000, 0, 0, 400, 0}, scale), Relationship::kUnknown);
    // Standard errors: sqrt(4 x 64) / 1600 = 0.01 for the pair of kinship 0.08 over 1000 SNPs,
    // 0.011 on the scale, far below its 0.111; the same kinship over 40 SNPs (HETHET 4, each
    // heterozygous at 25: 8 / 100) has sqrt(16) / 100 = 0.04, 0.0444 on the scale, and three of
    // them exceed 0.111: unrelated.
    EXPECT_DOUBLE_EQ(kinship_error(pair_of(64, 0)), 0.01);
    EXPECT_EQ(relationship_of(pair_of(64, 0), scale), Relationship::kSecondDegree);
    const KinshipCounts few{40, 4, 0, 25, 25};
    EXPECT_DOUBLE_EQ(few.kinship(), 0.08);
    EXPECT_DOUBLE_EQ(kinship_error(few), 0.04);
    EXPECT_EQ(relationship_of(few, scale), Relationship::kUnrelated);
}

TEST(RelationshipClasses, TheScaleFromTheCloneMates) {
    // Kinship (2 HETHET - 4 IBS0) / 1600 and mismatch (2 IBS0 + 800 - 2 HETHET) / 2000:
    // (390, 0) 0.4875 and 0.01; (200, 50) 0.125 and 0.25; (200, 0) 0.25 and 0.2.
    const std::vector<KinshipCounts> counts{pair_of(390, 0),  pair_of(200, 50), pair_of(200, 50),
                                            pair_of(200, 50), pair_of(200, 0),  pair_of(200, 0)};
    const RelationshipScale scale = relationship_scale(counts, {}, 1000);
    // The mismatch median (0.2 + 0.25) / 2 = 0.225; below a quarter of it only 0.01:
    // sqrt(0.01 x 0.1125) = 0.0335.
    EXPECT_DOUBLE_EQ(scale.clones.threshold, 0.0335);
    // The median kinship (0.125 + 0.25) / 2, and the clone mates' 0.4875.
    EXPECT_DOUBLE_EQ(scale.unrelated_kinship, 0.1875);
    EXPECT_EQ(scale.clone_pairs, 1);
    EXPECT_DOUBLE_EQ(scale.clone_kinship, 0.4875);
    EXPECT_EQ(relationship_name(relationship_of(counts[0], scale)), "clone");
    EXPECT_EQ(relationship_name(relationship_of(counts[1], scale)), "unrelated");
}

// Data without a shared biallelic SNP (microsatellites under the mismatch model of a report) give
// no relationship rather than an error.
TEST(RelationshipClasses, NoSharedSnpGivesNoRelationship) {
    const std::vector<KinshipCounts> counts(3);
    const RelationshipScale scale = relationship_scale(counts, {}, 10);
    EXPECT_FALSE(scale.compared);
    EXPECT_EQ(relationship_of(counts[0], scale), Relationship::kUnknown);
}

}  // namespace
}  // namespace kelvane
