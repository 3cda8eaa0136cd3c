// Tables for scripts: reals read back exactly, undefined values as NA, fields kept on their row.
#include "common/text/tsv_writer.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>

namespace clonal {
namespace {

TEST(TsvWriter, RealsAreTheShortestTextThatReadsBackAsTheSameDouble) {
    std::mt19937_64 generator(11);
    std::uniform_int_distribution<uint64_t> bits;
    for (int trial = 0; trial < 20000; ++trial) {
        double value = 0.0;
        const uint64_t pattern = bits(generator);
        std::memcpy(&value, &pattern, sizeof value);
        if (!std::isfinite(value)) {
            continue;
        }
        const std::string text = shortest_real(value);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
    EXPECT_EQ(shortest_real(0.1), "0.1");
    EXPECT_EQ(shortest_real(1.0 / 3.0), "0.3333333333333333");
    // Zero has no sign, and what is not a finite number does not exist: NA.
    EXPECT_EQ(shortest_real(-0.0), "0");
    EXPECT_EQ(shortest_real(2.5e-300), "2.5e-300");
    EXPECT_EQ(shortest_real(std::numeric_limits<double>::quiet_NaN()), "NA");
    EXPECT_EQ(shortest_real(-std::numeric_limits<double>::infinity()), "NA");
}

TEST(TsvWriter, OneHeaderLineAndRowsWithoutPadding) {
    std::ostringstream out;
    {
        TsvWriter tsv(out);
        tsv.header({"name", "n", "value"});
        tsv.text("a\tb\nc").integer(-7).real(0.5);
        tsv.end_row();
        tsv.text("").missing().real(100.0);
        tsv.end_row();
        EXPECT_TRUE(tsv.flush());
    }
    EXPECT_EQ(out.str(), "name\tn\tvalue\na b c\t-7\t0.5\n\tNA\t100\n");
}

}  // namespace
}  // namespace clonal
