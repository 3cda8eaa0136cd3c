// Text widths and fitting long names into their room.
#include "plot/text_metrics.hpp"

#include <gtest/gtest.h>

namespace clonal::plot {
namespace {

TEST(TextMetrics, WidthsFollowTheAdvancesOfTheCharacters) {
    EXPECT_DOUBLE_EQ(text_width("0", 10.0), 6.37);
    EXPECT_DOUBLE_EQ(text_width("0.5", 10.0), 6.37 + 3.18 + 6.37);
    // A character beyond ASCII counts once, however many bytes it takes.
    EXPECT_DOUBLE_EQ(text_width("\xC3\xBC", 10.0), 10.0);
}

TEST(TextMetrics, LongTextIsCutWithAnEllipsisAtACharacterBoundary) {
    EXPECT_EQ(fit_text("Lake", 100.0, 10.0), "Lake");
    const std::string cut = fit_text("Population of the lake shore", 60.0, 10.0);
    EXPECT_EQ(cut, "Populatio\xE2\x80\xA6");
    EXPECT_LE(text_width(cut, 10.0), 60.0);
    // Never half of a two-byte character.
    EXPECT_EQ(fit_text("\xC3\xBC\xC3\xBC\xC3\xBC", 25.0, 10.0), "\xC3\xBC\xE2\x80\xA6");
}

}  // namespace
}  // namespace clonal::plot
