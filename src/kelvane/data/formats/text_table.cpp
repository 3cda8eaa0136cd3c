// Lines and fields of text formats.
#include "kelvane/data/formats/text_table.hpp"

#include <algorithm>

#include "common/core/fatal_error.hpp"

namespace kelvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<TextLine> text_lines(std::string_view content) {
    if (content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    std::vector<TextLine> lines;
    std::size_t start = 0;
    int64_t number = 1;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({content.substr(start), number});
            break;
        }
        lines.push_back({content.substr(start, end - start), number++});
        start = end + 1;
        if (content[end] == '\r' && start < content.size() && content[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

char table_separator(std::string_view first_line) {
    if (first_line.find('\t') != std::string_view::npos) {
        return '\t';
    }
    const auto semicolons = std::ranges::count(first_line, ';');
    const auto commas = std::ranges::count(first_line, ',');
    return semicolons > commas ? ';' : ',';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<TextField> delimited_fields(const TextLine& line, char separator) {
    std::vector<TextField> fields;
    const std::string_view text = line.text;
    std::size_t pos = 0;
    int64_t column = 1;
    for (;;) {
        while (pos < text.size() && text[pos] != separator && is_blank(text[pos])) {
            ++pos;
        }
        TextField field;
        field.column = column;
        if (pos < text.size() && text[pos] == '"') {
            const std::size_t open = pos++;
            std::size_t close = pos;
            for (;; ++close) {
                close = text.find('"', close);
                if (close == std::string_view::npos) {
                    throw clonal::InputError("a quote opened here is not closed on its line",
                                             line.number, column);
                }
                if (close + 1 < text.size() && text[close + 1] == '"') {
                    ++close;  // a doubled quote inside the field
                    continue;
                }
                break;
            }
            field.text = text.substr(open + 1, close - open - 1);
            field.quoted = true;
            pos = close + 1;
            while (pos < text.size() && text[pos] != separator) {
                if (!is_blank(text[pos])) {
                    throw clonal::InputError("text after the closing quote of a field", line.number,
                                             column);
                }
                ++pos;
            }
        } else {
            const std::size_t end = std::min(text.find(separator, pos), text.size());
            field.text = trimmed(text.substr(pos, end - pos));
            pos = end;
        }
        fields.push_back(field);
        if (pos >= text.size()) {
            return fields;
        }
        ++pos;  // the separator
        ++column;
    }
}

std::string field_text(const TextField& field) {
    std::string text(field.text);
    if (field.quoted) {
        for (std::size_t pos = text.find("\"\""); pos != std::string::npos;
             pos = text.find("\"\"", pos + 1)) {
            text.erase(pos, 1);
        }
    }
    return text;
}

std::vector<TextField> blank_separated_fields(const TextLine& line) {
    std::vector<TextField> fields;
    const std::string_view text = line.text;
    std::size_t pos = 0;
    int64_t column = 1;
    while (pos < text.size()) {
        while (pos < text.size() && is_blank(text[pos])) {
            ++pos;
        }
        if (pos >= text.size()) {
            break;
        }
        std::size_t end = pos;
        while (end < text.size() && !is_blank(text[end])) {
            ++end;
        }
        fields.push_back({text.substr(pos, end - pos), column++, false});
        pos = end;
    }
    return fields;
}

}  // namespace kelvane
