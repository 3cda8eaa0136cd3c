#include "common/text/number_text.hpp"

#include <gtest/gtest.h>

#include "common/text/text_scanner.hpp"

namespace clonal {
namespace {

TEST(LeadingInt, ReadsSignAndDigitsAndStopsAtAnythingElse) {
    EXPECT_EQ(leading_int("42"), 42);
    EXPECT_EQ(leading_int("+4 and more"), 4);
    EXPECT_EQ(leading_int("-5"), -5);
    EXPECT_EQ(leading_int("3.7"), 3);
    EXPECT_EQ(leading_int("1e5"), 1);
    EXPECT_EQ(leading_int("2147483647"), INT32_MAX);
    EXPECT_EQ(leading_int("-2147483648"), INT32_MIN);
    EXPECT_FALSE(leading_int("2147483648"));
    EXPECT_FALSE(leading_int("99999999999999999999999"));
    EXPECT_FALSE(leading_int("- 3"));
    EXPECT_FALSE(leading_int("abc"));
    EXPECT_FALSE(leading_int(""));
    EXPECT_FALSE(leading_int("+"));
}

TEST(LeadingFloat, ReadsDecimalRealsOnly) {
    EXPECT_EQ(leading_float("0.5"), 0.5f);
    EXPECT_EQ(leading_float("100"), 100.0f);
    EXPECT_EQ(leading_float(".5x"), 0.5f);
    EXPECT_EQ(leading_float("1."), 1.0f);
    EXPECT_EQ(leading_float("1e2"), 100.0f);
    EXPECT_EQ(leading_float("1e"), 1.0f);
    EXPECT_EQ(leading_float("-2.5"), -2.5f);
    EXPECT_EQ(leading_float("0.1"), 0.1f);
    EXPECT_FALSE(leading_float("e5"));
    EXPECT_FALSE(leading_float("."));
    EXPECT_FALSE(leading_float("nan"));
    EXPECT_FALSE(leading_float("inf"));
    EXPECT_FALSE(leading_float("1e999"));
    EXPECT_EQ(leading_double("12345.9"), 12345.9);
}

TEST(TextScanner, ReadsWordsIntegersAndLines) {
    TextScanner scanner("Title line\r\n 12 -3 x7 99999999999\tword\n");
    EXPECT_EQ(scanner.line(), "Title line\r\n");
    EXPECT_EQ(scanner.integer().value, 12);
    EXPECT_EQ(scanner.integer().value, -3);
    EXPECT_EQ(scanner.integer().status, ScanStatus::kNoNumber);
    EXPECT_EQ(scanner.word(), "x7");
    EXPECT_EQ(scanner.integer().status, ScanStatus::kTooLarge);
    EXPECT_EQ(scanner.word(), "word");
    EXPECT_EQ(scanner.word(), "");
    EXPECT_EQ(scanner.integer().status, ScanStatus::kEnd);
}

TEST(TextScanner, SkipsToDigits) {
    TextScanner scanner("-- ab12cd");
    ASSERT_TRUE(scanner.skip_to_digit());
    EXPECT_EQ(scanner.digits().value, 12);
    EXPECT_EQ(scanner.digits().status, ScanStatus::kNoNumber);
    EXPECT_FALSE(scanner.skip_to_digit());
}

}  // namespace
}  // namespace clonal
