// SVG and HTML written element by element. Every text and attribute value passes through the
// escaping here, and element and attribute names must be plain names, so that nothing from the
// data (a population named "<script>", a file name with quotes) can become markup.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/buffered_text.hpp"
#include "common/text/markup_escape.hpp"

namespace clonal::plot {

struct Attribute {
    std::string_view name;
    std::string value;
};
using Attributes = std::vector<Attribute>;

enum class Prologue { kXml, kHtml };

class MarkupWriter {
  public:
    explicit MarkupWriter(std::ostream& out) : text_(out) {}

    // The XML declaration or the HTML document type: the first thing of a document.
    void prologue(Prologue kind);

    // A start tag; its children follow on lines of their own until close().
    void open(std::string_view name, const Attributes& attributes = {});
    // The end tag of the innermost open element.
    void close();
    // An element without children, as <name .../>.
    void leaf(std::string_view name, const Attributes& attributes = {});
    // An element holding only text, on one line.
    void element(std::string_view name, const Attributes& attributes, std::string_view text);
    // Text inside the open element.
    void text(std::string_view text);

    std::size_t depth() const { return open_.size(); }
    void flush() { text_.flush(); }

  private:
    void start_tag(std::string_view name, const Attributes& attributes);

    BufferedText text_;
    std::vector<std::string> open_;
};

}  // namespace clonal::plot
