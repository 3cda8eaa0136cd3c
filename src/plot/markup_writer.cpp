// The element writer.
#include "plot/markup_writer.hpp"

#include <cstdint>

#include "common/core/bug_check.hpp"

namespace clonal::plot {
namespace {

bool plain_name(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (const char c : name) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '-' || c == ':';
        if (!allowed) {
            return false;
        }
    }
    return true;
}

}  // namespace

void MarkupWriter::prologue(Prologue kind) {
    CLONAL_BUG_CHECK(open_.empty());
    text_.append(kind == Prologue::kXml ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                        : "<!DOCTYPE html>\n");
}

void MarkupWriter::start_tag(std::string_view name, const Attributes& attributes) {
    CLONAL_BUG_CHECK(plain_name(name));
    text_.append("<");
    text_.append(name);
    for (const Attribute& attribute : attributes) {
        CLONAL_BUG_CHECK(plain_name(attribute.name));
        text_.append(" ");
        text_.append(attribute.name);
        text_.append("=\"");
        text_.append(escape_markup(attribute.value));
        text_.append("\"");
    }
}

void MarkupWriter::open(std::string_view name, const Attributes& attributes) {
    start_tag(name, attributes);
    text_.append(">\n");
    open_.emplace_back(name);
}

void MarkupWriter::close() {
    CLONAL_BUG_CHECK(!open_.empty());
    text_.append("</");
    text_.append(open_.back());
    text_.append(">\n");
    open_.pop_back();
}

void MarkupWriter::leaf(std::string_view name, const Attributes& attributes) {
    start_tag(name, attributes);
    text_.append("/>\n");
}

void MarkupWriter::element(std::string_view name, const Attributes& attributes,
                           std::string_view text) {
    start_tag(name, attributes);
    text_.append(">");
    text_.append(escape_markup(text));
    text_.append("</");
    text_.append(name);
    text_.append(">\n");
}

void MarkupWriter::text(std::string_view text) {
    CLONAL_BUG_CHECK(!open_.empty());
    text_.append(escape_markup(text));
}

}  // namespace clonal::plot
