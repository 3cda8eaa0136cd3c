#include "common/core/random.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace clonal {
namespace {

TEST(Random, FirstUniformsFromTheStartSeeds) {
    Random random;
    EXPECT_DOUBLE_EQ(random.next_uniform(), 1109069310.0 / 2147483563.0);
    EXPECT_EQ(random.seed1(), 493972830);
    EXPECT_EQ(random.seed2(), 615096481);
    EXPECT_DOUBLE_EQ(random.next_uniform(), 977095274.0 / 2147483563.0);
    EXPECT_DOUBLE_EQ(random.next_uniform(), 1100836471.0 / 2147483563.0);

    Random again;
    EXPECT_EQ(again.next_uniform(), 0.516450663049848);
    EXPECT_EQ(again.next_uniform(), 0.45499546112241884);
    EXPECT_EQ(again.next_uniform(), 0.5126169484911676);
}

TEST(Random, StaysInsideTheOpenIntervalOverALongRun) {
    Random random;
    for (int i = 0; i < 200000; ++i) {
        const double u = random.next_uniform();
        ASSERT_GE(u, 1.0 / 2147483563.0);
        ASSERT_LE(u, 2147483562.0 / 2147483563.0);
    }
}

TEST(Random, ExtremeUserSeedsNeverOverflow) {
    for (const int32_t seed : {INT32_MIN, -1, 0, 1, INT32_MAX}) {
        Random random;
        random.set_seeds(seed, seed);
        for (int i = 0; i < 1000; ++i) {
            const double u = random.next_uniform();
            ASSERT_LT(u, 1.0);
            ASSERT_EQ(draw_index(u, 7), std::clamp(static_cast<int>(7 * u), 0, 6));
        }
    }
}

TEST(SeedFromClock, Day99At10h15m30s) {
    std::tm time{};
    time.tm_yday = 99;
    time.tm_hour = 10;
    time.tm_min = 15;
    time.tm_sec = 30;
    EXPECT_EQ(clock_seed_base(time), 16057);
    Random random;
    seed_from_clock(random, time);
    EXPECT_EQ(random.seed1(), 23747);
    EXPECT_EQ(random.seed2(), 30101);
}

TEST(SeedFromClock, RangeOfTheBaseOverTheYear) {
    std::tm first{};
    EXPECT_EQ(clock_seed_base(first), 522);
    std::tm last{};
    last.tm_yday = 365;
    last.tm_hour = 23;
    last.tm_min = 59;
    last.tm_sec = 59;
    EXPECT_LE(clock_seed_base(last), 31328);
}

TEST(Shuffle, OfFiveValuesFromTheStartSeeds) {
    Random random;
    std::vector<int32_t> values{0, 1, 2, 3, 4};
    shuffle(random, values);
    EXPECT_EQ(values, (std::vector<int32_t>{2, 0, 3, 4, 1}));
}

TEST(Shuffle, OneElementOrNoPositionsDrawNothing) {
    Random random;
    std::vector<int32_t> one{7};
    shuffle(random, one);
    partial_shuffle(random, one, 1);
    std::vector<int32_t> many{1, 2, 3};
    partial_shuffle(random, many, 0);
    EXPECT_EQ(one, std::vector<int32_t>{7});
    EXPECT_EQ(many, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(random.seed1(), Random::kStartSeed1);
    EXPECT_EQ(random.seed2(), Random::kStartSeed2);
}

TEST(PartialShuffle, DrawsOnlyForTheFirstPositions) {
    Random partial;
    std::vector<int32_t> values{0, 1, 2, 3, 4};
    partial_shuffle(partial, values, 2);
    Random reference;
    reference.next_uniform();
    reference.next_uniform();
    EXPECT_EQ(partial.seed1(), reference.seed1());
    // The first two picks of the full shuffle: j = 2, then j = 2.
    EXPECT_EQ(values, (std::vector<int32_t>{2, 0, 1, 3, 4}));
}

}  // namespace
}  // namespace clonal
