// The table of setting ranges: its bounds, its words and the error it gives.
#include "common/core/setting_ranges.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "common/core/fatal_error.hpp"

namespace clonal {
namespace {

TEST(SettingRanges, BoundsAndWordsOfEachKindOfRange) {
    const SettingRange& draws = setting_range("draws");
    EXPECT_EQ(range_words(draws), "a whole number from 1 to 100,000,000");
    EXPECT_TRUE(in_range(draws, 1) && in_range(draws, 1e8));
    EXPECT_FALSE(in_range(draws, 0) || in_range(draws, 1e8 + 1) || in_range(draws, 2.5) ||
                 in_range(draws, NAN));

    const SettingRange& fraction = setting_range("fraction");
    EXPECT_EQ(range_words(fraction), "a number above 0 and at most 1");
    EXPECT_TRUE(in_range(fraction, 1e-300) && in_range(fraction, 1));
    EXPECT_FALSE(in_range(fraction, 0) || in_range(fraction, 1.0000001));
    EXPECT_EQ(range_words(setting_range("ci_level")), "a number above 0 and below 1");

    const SettingRange& threshold = setting_range("threshold");
    EXPECT_EQ(range_words(threshold), "a number of 0 or more");
    EXPECT_TRUE(in_range(threshold, 0) && in_range(threshold, 1e300));
    EXPECT_FALSE(in_range(threshold, -1e-300) || in_range(threshold, INFINITY));
    EXPECT_EQ(range_words(setting_range("max_distance")), "a number above 0");
    EXPECT_EQ(range_words(setting_range("min_kinship")), "a number of at most 0.5");
    EXPECT_EQ(range_words(setting_range("threads")),
              "a whole number from 0 to 2,147,483,647 (0: every core)");

    EXPECT_TRUE(seeds_in_range(1, 2147483398) && seeds_in_range(2147483562, 1));
    EXPECT_FALSE(seeds_in_range(0, 1) || seeds_in_range(2147483563, 1) ||
                 seeds_in_range(1, 2147483399) || seeds_in_range(1.5, 1));
}

// The error names the setting without the analysis that qualifies its key, and the value given.
TEST(SettingRanges, AnErrorNamesTheSettingItsRangeAndTheValue) {
    try {
        check_setting("spatial.classes", 0);
        FAIL();
    } catch (const SettingError& error) {
        EXPECT_EQ(error.setting(), "classes");
        EXPECT_EQ(error.sentence([](std::string_view name) { return std::string(name); }),
                  "classes takes a whole number from 1 to 10,000, not 0");
    }
    EXPECT_THROW(check_setting("permutations", 1e10), SettingError);
    EXPECT_NO_THROW(check_setting("histogram.classes", 100000));
    EXPECT_EQ(setting_value_text(NAN), "NA");
    EXPECT_EQ(setting_value_text(0.25), "0.25");
    std::set<std::string_view> keys;
    for (const SettingRange& range : setting_ranges()) {
        EXPECT_TRUE(keys.insert(range.key).second) << range.key;
        // The lowest value taken: the bound, or the next number above it (the highest one when
        // there is no lower bound).
        const double lowest = std::isinf(range.low) ? range.high
                              : range.above_low     ? std::nextafter(range.low, INFINITY)
                                                    : range.low;
        EXPECT_TRUE(in_range(range, lowest)) << range.key;
    }
}

}  // namespace
}  // namespace clonal
