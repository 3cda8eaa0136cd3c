// Escaping: whatever a name in the data holds, it reaches SVG, HTML and GraphML as text, and the
// document stays well-formed XML.
#include "common/text/markup_escape.hpp"

#include <gtest/gtest.h>

#include <string>

namespace clonal {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(EscapeMarkup, MarkupCharactersBecomeReferences) {
    EXPECT_EQ(escape_markup("<script>alert(\"x\") & 'y'</script>"),
              "&lt;script&gt;alert(&quot;x&quot;) &amp; &#39;y&#39;&lt;/script&gt;");
    // An entity in the data is shown as written, not decoded.
    EXPECT_EQ(escape_markup("&lt;"), "&amp;lt;");
}

TEST(EscapeMarkup, ValidUtf8AndWhiteSpaceStayAsTheyAre) {
    const std::string text =
        "Z\xC3\xBCrich \xE2\x80\x94 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x8C\xB1\tA\nB";
    EXPECT_EQ(escape_markup(text), text);
}

TEST(EscapeMarkup, WhatXmlCannotHoldBecomesTheReplacementCharacter) {
    // A Latin-1 byte, a cut sequence, an overlong form, a surrogate, a code point beyond
    // Unicode, a control character and a noncharacter.
    EXPECT_EQ(escape_markup("M\xFCller"), "M" + kReplacement + "ller");
    EXPECT_EQ(escape_markup("a\xE2\x82"), "a" + kReplacement + kReplacement);
    EXPECT_EQ(escape_markup("\xC0\xAF"), kReplacement + kReplacement);
    EXPECT_EQ(escape_markup("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement);
    EXPECT_EQ(escape_markup("\xF4\x90\x80\x80"),
              kReplacement + kReplacement + kReplacement + kReplacement);
    EXPECT_EQ(escape_markup(std::string("a\x01"
                                        "b\0c",
                                        5)),
              "a" + kReplacement + "b" + kReplacement + "c");
    EXPECT_EQ(escape_markup("\xEF\xBF\xBF"), kReplacement);
}

}  // namespace
}  // namespace clonal
