// The lines and fields of the text formats, read the same whatever system wrote the file: a
// UTF-8 byte-order mark is skipped, and a line ends at LF, CR LF or a lone CR.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

struct TextLine {
    std::string_view text;  // without its line end
    int64_t number = 0;     // from 1
};

// Every line of content (which must outlive them); a last line without a line end counts, an
// empty text after the last line end does not.
std::vector<TextLine> text_lines(std::string_view content);

struct TextField {
    std::string_view text;  // without the quotes around it; "" inside a quoted field stays doubled
    int64_t column = 0;     // the field's place in its line, from 1
    bool quoted = false;
};

// The separator of a delimited table, from its first line: a tab when it holds one, else a
// semicolon when it holds more semicolons than commas, else a comma.
char table_separator(std::string_view first_line);

// The fields of a line of a delimited table. A field may be quoted ("..."), with "" for a quote
// inside; blanks around a field are not part of it. A quote left open is an InputError at the
// line and the field's column.
std::vector<TextField> delimited_fields(const TextLine& line, char separator);

// The text of a field, a doubled quote inside a quoted field read as one quote.
std::string field_text(const TextField& field);

// The words of a line separated by blanks and tabs, each numbered by its place in the line.
std::vector<TextField> blank_separated_fields(const TextLine& line);

// text without the blanks and tabs at either end.
std::string_view trimmed(std::string_view text);

}  // namespace kelvane
