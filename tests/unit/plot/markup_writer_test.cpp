// The element writer: nesting, and every value that reaches the document escaped.
#include "plot/markup_writer.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace clonal::plot {
namespace {

TEST(MarkupWriter, ElementsNestAndEveryValueIsEscaped) {
    std::ostringstream out;
    {
        MarkupWriter markup(out);
        markup.prologue(Prologue::kXml);
        markup.open("svg", {{"class", "a\"b"}});
        markup.element("text", {{"x", "1"}}, "<pop>");
        markup.leaf("rect", {{"width", "2"}});
        markup.close();
        markup.flush();
    }
    EXPECT_EQ(out.str(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg class=\"a&quot;b\">\n"
              "<text x=\"1\">&lt;pop&gt;</text>\n"
              "<rect width=\"2\"/>\n"
              "</svg>\n");
}

}  // namespace
}  // namespace clonal::plot
