#include "common/dialogue/console.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "common/core/fatal_error.hpp"

namespace clonal {
namespace {

struct Session {
    explicit Session(const std::string& input) : in(input), console(in, out) {}
    std::istringstream in;
    std::ostringstream out;
    Console console;
};

TEST(Console, NumbersSkipEmptyLinesAndDropTheRestOfTheirLine) {
    Session s("\n\n  7 and more text\n8\n");
    int32_t value = 0;
    s.console.read_int(value);
    EXPECT_EQ(value, 7);
    s.console.read_int(value);
    EXPECT_EQ(value, 8);
}

TEST(Console, ALineWithoutANumberKeepsTheValueAndIsConsumed) {
    Session s("abc\n- 3\n+4\n2147483648\n5");
    int32_t value = 100;
    s.console.read_int(value);
    EXPECT_EQ(value, 100);
    s.console.read_int(value);
    EXPECT_EQ(value, 100);
    s.console.read_int(value);
    EXPECT_EQ(value, 4);
    s.console.read_int(value);
    EXPECT_EQ(value, 4);
    s.console.read_int(value);
    EXPECT_EQ(value, 5);
}

TEST(Console, RealAnswersAreSinglePrecision) {
    Session s("0.1\nnan\n1e3x\n");
    float value = -1.0f;
    s.console.read_float(value);
    EXPECT_EQ(value, 0.1f);
    s.console.read_float(value);
    EXPECT_EQ(value, 0.1f);
    s.console.read_float(value);
    EXPECT_EQ(value, 1000.0f);
}

TEST(Console, LinesDropTheirLineEndAndCarriageReturn) {
    Session s("data.txt\r\n\nYes\nno\nlast");
    EXPECT_EQ(s.console.read_line(), "data.txt");
    EXPECT_EQ(s.console.read_first_char(), '\0');
    EXPECT_TRUE(s.console.read_yes());
    EXPECT_FALSE(s.console.read_yes());
    EXPECT_EQ(s.console.read_line(), "last");
}

TEST(Console, EndOfInputEndsTheRun) {
    Session empty("");
    EXPECT_THROW(empty.console.read_line(), FatalError);

    Session blanks(" \n\n  \n");
    int32_t value = 0;
    try {
        blanks.console.read_int(value);
        FAIL() << "no error at the end of input";
    } catch (const FatalError& error) {
        EXPECT_STREQ(error.what(), "\nERROR: unexpected end of input\n");
    }

    Session after_number("3");
    after_number.console.read_int(value);
    EXPECT_EQ(value, 3);
    EXPECT_THROW(after_number.console.read_line(), FatalError);
}

TEST(Console, PrintsWithPrintfDirectives) {
    Session s("");
    s.console.print("%6.2f|%-3d|%s\n", 3.14159, 7, "x");
    EXPECT_EQ(s.out.str(), "  3.14|7  |x\n");
}

}  // namespace
}  // namespace clonal
